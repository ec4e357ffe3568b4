#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "colour/legacy/legacy_model.h"
#include "colour/legacy/colour_tables.h"

namespace colour::legacy {
namespace {

using tables::cubic_row;

// The cubic of one row in the documented grouping, for checking which row a
// lookup picked.
double evaluate(const cubic_row& r, double v) {
  const long double x = v;
  const long double S = (x * r.c1 + r.c0) + (x * r.c2) * x;
  return static_cast<double>(S + ((x * r.c3) * x) * x);
}

// What a scan from the first row finds: the first row with lo <= v <= hi.
double scanned(std::span<const cubic_row> rows, double v) {
  for (const cubic_row& r : rows)
    if (r.lo <= v && v <= r.hi) return evaluate(r, v);
  return std::numeric_limits<double>::quiet_NaN();
}

struct table_case {
  cubic_table table;
  std::span<const cubic_row> rows;
};

// Every bound of every row, its neighbours one ulp away and the row midpoints:
// the indexed lookup must pick the row a sequential scan picks, and at a shared
// bound that is the earlier row.
TEST(ColourTables, IndexedLookupFindsTheRowsOfASequentialScan) {
  const table_case cases[] = {{cubic_table::x_locus, tables::x_locus},
                              {cubic_table::z_locus, tables::z_locus},
                              {cubic_table::hue_to_wavelength, tables::hue_to_wavelength}};
  for (const table_case& c : cases) {
    std::vector<double> probes;
    for (const cubic_row& r : c.rows) {
      for (double b : {r.lo, r.hi}) {
        probes.push_back(b);
        probes.push_back(std::nextafter(b, -INFINITY));
        probes.push_back(std::nextafter(b, INFINITY));
      }
      probes.push_back((r.lo + r.hi) / 2);
    }
    for (double v : probes) {
      const double expected = scanned(c.rows, v);
      // Only the two slivers of the z fit lie outside every row and still answer.
      if (std::isnan(expected) && c.table == cubic_table::z_locus) continue;
      if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(piecewise_cubic(c.table, v))) << static_cast<int>(c.table) << " v=" << v;
      else
        EXPECT_EQ(piecewise_cubic(c.table, v), expected) << static_cast<int>(c.table) << " v=" << v;
    }
  }
}

TEST(ColourTables, SharedBoundsBelongToTheEarlierRow) {
  EXPECT_EQ(piecewise_cubic(cubic_table::x_locus, 385), evaluate(tables::x_locus[0], 385));
  EXPECT_NE(piecewise_cubic(cubic_table::x_locus, 385), evaluate(tables::x_locus[1], 385));
  EXPECT_EQ(piecewise_cubic(cubic_table::hue_to_wavelength, 3.654),
            evaluate(tables::hue_to_wavelength[0], 3.654));
  EXPECT_EQ(piecewise_cubic(cubic_table::z_locus, 622.5), 0.0002);
  EXPECT_EQ(piecewise_cubic(cubic_table::z_locus, 622.5001), 0.0001);
}

// A value in no row answers NaN and never borrows from the table stored next.
// The 0.0001 nm slivers of the z fit belong to the later row.
TEST(ColourTables, LookupsOutsideEveryRow) {
  struct row_case {
    cubic_table table;
    double v;
    double expected;  // NaN: no row
  };
  const double none = std::numeric_limits<double>::quiet_NaN();
  const row_case cases[] = {
      {cubic_table::x_locus, 379.999, none},       {cubic_table::x_locus, 530, none},
      {cubic_table::x_locus, 700.0001, none},      {cubic_table::x_locus, 0, none},
      {cubic_table::x_locus, -INFINITY, none},     {cubic_table::x_locus, none, none},
      {cubic_table::z_locus, 770.0001, none},      {cubic_table::z_locus, 495.5, none},
      {cubic_table::z_locus, 622.50005, 0.0001},   {cubic_table::z_locus, std::nextafter(622.5, 700.0), 0.0001},
      {cubic_table::z_locus, 642.50005, 0},        {cubic_table::z_locus, 770, 0},
      {cubic_table::hue_to_wavelength, 3.6529999, none},
      {cubic_table::hue_to_wavelength, 22.7167513, none},
      {cubic_table::hue_to_wavelength, INFINITY, none},
  };
  for (const row_case& c : cases) {
    const double got = piecewise_cubic(c.table, c.v);
    if (std::isnan(c.expected))
      EXPECT_TRUE(std::isnan(got)) << static_cast<int>(c.table) << " v=" << c.v << " got " << got;
    else
      EXPECT_EQ(got, c.expected) << static_cast<int>(c.table) << " v=" << c.v;
  }
}

TEST(ColourTables, CumulativeTableEndsAndOrder) {
  const auto& rows = tables::cumulative;
  EXPECT_EQ(rows.front().X + rows.front().Y + rows.front().Z, 0);
  EXPECT_EQ(rows.back().X, 100);
  EXPECT_EQ(rows.back().Y, 100);
  EXPECT_EQ(rows.back().Z, 100);
  EXPECT_EQ(rows[44].Y, 82.84793000000001);
  for (std::size_t i = 1; i < rows.size(); ++i) {
    EXPECT_LE(rows[i - 1].X, rows[i].X) << i;
    EXPECT_LE(rows[i - 1].Y, rows[i].Y) << i;
    EXPECT_LE(rows[i - 1].Z, rows[i].Z) << i;
  }
}

// The locus fits reproduce the CIE 1931 observer at both ends of the spectrum.
TEST(ColourTables, LocusEnds) {
  EXPECT_NEAR(locus_chromaticity(380).x, 0.1741, 1e-7);
  EXPECT_NEAR(locus_chromaticity(380).z, 0.8209, 1e-7);
  EXPECT_NEAR(locus_chromaticity(700).x, 0.7347, 1e-7);
  EXPECT_EQ(locus_chromaticity(700).z, 0);
  // Worked locus point at 600 nm, y formed as (1 - x) - z.
  const shares s = locus_chromaticity(600);
  EXPECT_NEAR(s.x, 0.6269999743, 5e-11);
  EXPECT_NEAR(s.y, 0.3725000257, 5e-11);
  EXPECT_NEAR(s.z, 0.0005, 5e-11);
}

}  // namespace
}  // namespace colour::legacy
