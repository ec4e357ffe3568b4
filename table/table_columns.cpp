#include "table/table_columns.h"

namespace table {

table_row compute_table_row(double wavelength, const colour::model& model) {
  return table_row_of(wavelength, colour::compute_pass(wavelength, 0.0, model));
}

}  // namespace table
