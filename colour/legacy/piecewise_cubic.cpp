// Lookup and evaluation of the piecewise cubics (spectrum locus x and z, hue
// number to wavelength).
#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <cmath>
#include <span>

#include "colour/legacy/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy/colour_tables.h"

namespace colour::legacy {
namespace {

using detail::ext;

// The z fit leaves 0.0001 nm slivers (622.5, 622.5001) and (642.5, 642.5001)
// between its constant rows; they belong to the later row. Only gaps this
// narrow are bridged: the green gap of the locus fits stays uncovered.
constexpr double bridged_gap = 0.001;

// Where to start looking for the row of v: the rows' range cut into equal
// buckets, and for each bucket the first row that may hold a value in it.
// A binary search is a chain of dependent loads on a pass's critical path;
// the bucket is one multiplication and one load away, and from it at most a
// few rows are stepped over.
class row_index {
 public:
  explicit row_index(std::span<const tables::cubic_row> rows)
      : rows_(rows),
        start_(rows.front().lo),
        end_(rows.back().hi),
        buckets_per_unit_(static_cast<double>(bucket_count) / (end_ - start_)) {
    // Bucket b starts at start + b * width; its entry is the first row whose
    // hi reaches the start of bucket b - 1, one bucket early, so that a v
    // whose bucket number was rounded up still finds no later row than its own.
    std::size_t row = 0;
    for (std::size_t b = 0; b < bucket_count; ++b) {
      const double early = start_ + (static_cast<double>(b) - 1) / buckets_per_unit_;
      while (rows_[row].hi < early) ++row;
      first_row_[b] = static_cast<unsigned char>(row);
    }
  }

  // The first row with v <= hi (as std::lower_bound on hi finds it), or
  // none when v is above the last row or no number.
  const tables::cubic_row* first_reaching(double v) const {
    if (!(v <= end_)) return nullptr;  // above the rows, or NaN
    std::size_t row = 0;
    if (v > start_) {
      const double bucket = (v - start_) * buckets_per_unit_;
      row = first_row_[std::min(bucket_count - 1, static_cast<std::size_t>(bucket))];
    }
    while (rows_[row].hi < v) ++row;  // ends at the last row at the latest: v <= end
    return &rows_[row];
  }

  std::span<const tables::cubic_row> rows() const { return rows_; }

 private:
  static constexpr std::size_t bucket_count = 4096;
  std::span<const tables::cubic_row> rows_;
  double start_;
  double end_;
  double buckets_per_unit_;
  std::array<unsigned char, bucket_count> first_row_{};
};

const row_index& index_of(cubic_table table) {
  static const row_index x_locus(tables::x_locus);
  static const row_index z_locus(tables::z_locus);
  static const row_index hue_to_wavelength(tables::hue_to_wavelength);
  switch (table) {
    case cubic_table::x_locus: return x_locus;
    case cubic_table::z_locus: return z_locus;
    case cubic_table::hue_to_wavelength: break;
  }
  return hue_to_wavelength;
}

// The first row with lo <= v <= hi, as a scan from the top would find it: rows
// ascend, so that is the first row with v <= hi, provided its lo admits v.
const tables::cubic_row* find_row(cubic_table table, double v) {
  const row_index& index = index_of(table);
  const tables::cubic_row* row = index.first_reaching(v);
  if (row == nullptr) return nullptr;
  if (row->lo <= v) return row;
  const bool in_sliver = table == cubic_table::z_locus && row != index.rows().data() &&
                         row->lo - std::prev(row)->hi < bridged_gap;
  return in_sliver ? row : nullptr;
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

}  // namespace colour::legacy
