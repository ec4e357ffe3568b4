#include "table/table_help.h"

#include <algorithm>

#include "cli/help_text.h"
#include "docs/shared_text.h"

namespace table {
namespace {

constexpr std::size_t help_width = 80;
constexpr std::size_t name_column = 24;  // where the column meanings start

}  // namespace

std::string table_help_footer() {
  std::string footer =
      "\nWithout --from/--to/--step or wavelengths: 380 to 770 nm in 1 nm steps.\n"
      "Each row is the first pass of the dialogue for that wavelength (partner 0);\n"
      "with --partner L, the pass after a correction, from a pair with l = L.\n"
      "\nColumns:\n";
  for (const docs::named_text& column : docs::table_columns) {
    std::string line = "  " + std::string(column.name);
    if (line.size() + 2 > name_column) {
      footer += line + '\n';
      line.clear();
    }
    line.resize(name_column, ' ');
    const std::string meaning = cli::wrap_text(column.text, name_column, help_width - name_column);
    footer += line + meaning + '\n';
  }
  footer += '\n' + cli::wrap_text(docs::negative_hue_equal, 0, help_width) + '\n';
  footer +=
      "\nNumbers are the shortest text that reads back to the same double; a value\n"
      "that is no number is an empty field (CSV, TSV) or null (JSON).\n"
      "Examples:\n"
      "  vollfarbe table --from 480 --to 500 --step 0.5 > pairs.csv\n"
      "  vollfarbe table 600 520 720 --format json\n"
      "  seq 400 10 700 | vollfarbe table - --format tsv\n"
      "  vollfarbe table --column nm - < measured.csv\n"
      "  vollfarbe table --partner 489.996 610";
  return footer;
}

}  // namespace table
