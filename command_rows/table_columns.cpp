#include "command_rows/table_columns.h"

namespace table {

table_row table_row_of(double wavelength, const colour::pass_result& pass) {
  const auto& a = pass.first;
  const auto& b = pass.second;
  return {pass.middle_path ? "middle" : "end",
          {wavelength, pass.l, pass.lc,
           a.t.X, a.t.Y, a.t.Z, a.moment, a.xy.x, a.xy.y,
           b.t.X, b.t.Y, b.t.Z, b.moment, b.xy.x, b.xy.y,
           pass.hue_equal_first.l1, pass.hue_equal_first.l2,
           pass.hue_equal_second.l1, pass.hue_equal_second.l2}};
}

table_row compute_table_row(double wavelength, const colour::model& model) {
  return table_row_of(wavelength, colour::compute_pass(wavelength, 0.0, model));
}

}  // namespace table
