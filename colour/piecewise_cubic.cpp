// Lookup and evaluation of the piecewise cubics (spectrum locus x and z, hue
// number to wavelength).
#include <algorithm>
#include <cmath>
#include <span>

#include "colour/legacy_model.h"
#include "colour/extended.h"
#include "colour/colour_tables.h"

namespace colour::legacy {
namespace {

using detail::ext;

// The z fit leaves 0.0001 nm slivers (622.5, 622.5001) and (642.5, 642.5001)
// between its constant rows; they belong to the later row. Only gaps this
// narrow are bridged: the green gap of the locus fits stays uncovered.
constexpr double bridged_gap = 0.001;

std::span<const tables::cubic_row> rows_of(cubic_table table) {
  switch (table) {
    case cubic_table::x_locus: return tables::x_locus;
    case cubic_table::z_locus: return tables::z_locus;
    case cubic_table::hue_to_wavelength: return tables::hue_to_wavelength;
  }
  return {};
}

// The first row with lo <= v <= hi, as a scan from the top would find it: rows
// ascend, so that is the first row with v <= hi, provided its lo admits v.
const tables::cubic_row* find_row(cubic_table table, double v) {
  if (std::isnan(v)) return nullptr;
  const auto rows = rows_of(table);
  const auto it = std::lower_bound(rows.begin(), rows.end(), v,
                                   [](const tables::cubic_row& r, double x) { return r.hi < x; });
  if (it == rows.end()) return nullptr;
  if (it->lo <= v) return &*it;
  const bool in_sliver = table == cubic_table::z_locus && it != rows.begin() &&
                         it->lo - std::prev(it)->hi < bridged_gap;
  return in_sliver ? &*it : nullptr;
}

}  // namespace

double piecewise_cubic(cubic_table table, double v) {
  const tables::cubic_row* row = find_row(table, v);
  if (row == nullptr) return detail::nan;
  // c0 + c1 v + c2 v^2 + c3 v^3 in this grouping; the hue fit cancels terms of
  // 1e12 against each other, so all partial sums stay extended.
  const ext x = v;
  const ext A = x * row->c1 + row->c0;
  const ext B = (x * row->c2) * x;
  const ext S = A + B;
  const ext C = ((x * row->c3) * x) * x;
  return static_cast<double>(S + C);
}

shares locus_chromaticity(double w) {
  const double x = piecewise_cubic(cubic_table::x_locus, w);
  const double z = piecewise_cubic(cubic_table::z_locus, w);
  const double y = static_cast<double>((ext{1} - x) - z);
  return {x, y, z};
}

double wavelength_of_hue(double hue) { return piecewise_cubic(cubic_table::hue_to_wavelength, hue); }

double floor_to_thousandth(double v) {
  if (std::isnan(v)) return detail::quieted_nan(v);  // a hue with no wavelength
  // 1000 v is exact in the 64-bit significand; the floor is a true floor.
  return static_cast<double>(std::floor(ext{1000} * v) / ext{1000});
}

}  // namespace colour::legacy
