// Help text laid out for an 80-column terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cli {

// Text wrapped at blanks to lines of at most `width` characters of text (a
// longer word stays whole), each line after the first indented by `indent`
// blanks, for text that starts in a column of its own:
//   wrap_text("a bb ccc", 2, 4) -> "a bb\n  ccc"
std::string wrap_text(std::string_view text, std::size_t indent, std::size_t width);

}  // namespace cli
