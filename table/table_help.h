// The help of `vollfarbe table`, built from the lists the man page and the
// README share (docs/table_columns.tsv, docs/negative_hue_equal.txt), so all
// three say the same.
#pragma once

#include <string>

namespace table {

// The text after the options of `vollfarbe table --help`: the default range,
// the columns, number formats and examples.
std::string table_help_footer();

}  // namespace table
