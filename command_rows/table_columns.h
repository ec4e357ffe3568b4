// The fixed column set of `vollfarbe table`: one row per wavelength, holding
// what the first pass of the dialogue computes for it (partner wavelength 0).
//
//   wavelength      the entry
//   path            "middle" (a compensative wavelength exists) or "end"
//   l, lc           the ordered pair; on the end path l = 0 and lc = entry
//   first_*         middle pigment (middle path) or short-end pigment (end path)
//   second_*        middle-gap pigment (middle path) or long-end pigment (end path)
//   *_X, *_Y, *_Z   tristimulus values in percent
//   *_moment        colour moment
//   *_x, *_y        chromaticity
//   first_l1, first_l2    hue-equal wavelengths of the first pigment
//   second_l1, second_l2  hue-equal wavelengths of the second pigment
//                         (end path only; empty on the middle path)
#pragma once

#include <array>
#include <string_view>

#include "colour/colour_model.h"

namespace table {

inline constexpr auto table_column_names = std::to_array<std::string_view>({
    "wavelength", "path",        "l",           "lc",
    "first_X",    "first_Y",     "first_Z",     "first_moment",
    "first_x",    "first_y",     "second_X",    "second_Y",
    "second_Z",   "second_moment", "second_x",  "second_y",
    "first_l1",   "first_l2",    "second_l1",   "second_l2"});

// The numbers of a row in column order, without the path column (index 1).
using table_numbers = std::array<double, table_column_names.size() - 1>;

struct table_row {
  std::string_view path;
  table_numbers numbers;
};

// Runs the dialogue's first pass for `wavelength` and lays it out as a row.
table_row compute_table_row(double wavelength, const colour::model& model);
table_row table_row_of(double wavelength, const colour::pass_result& pass);

}  // namespace table
