// Help texts built from the lists the man page and the README share
// (docs/table_columns.tsv, docs/negative_hue_equal.txt), so all three say
// the same.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace app {

// The text after the options of `vollfarbe table --help`: the default range,
// the columns, number formats and examples.
std::string table_help_footer();

// Text wrapped at blanks to lines of at most `width` characters of text (a
// longer word stays whole), each line after the first indented by `indent`
// blanks, for text that starts in a column of its own:
//   wrap_text("a bb ccc", 2, 4) -> "a bb\n  ccc"
std::string wrap_text(std::string_view text, std::size_t indent, std::size_t width);

}  // namespace app
