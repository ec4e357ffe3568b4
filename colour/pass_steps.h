// The steps of a pass, written once over any model type and run for a group
// of up to `pass_lanes` independent passes at a time. A model's own final
// class instantiates them, so that its steps are direct calls the compiler
// can inline, not one virtual call each.
//
// Why groups: a pass is one long chain of x87 results, each waiting for the
// one before it, so a pass alone runs at the latency of that chain, not at
// the rate the unit can issue work. Each step below is one loop over the
// lanes of a group; the lanes' chains are independent, so the processor
// overlaps them. A lane does exactly the operations of one pass in the same
// order: the bits cannot depend on the group, and a pass alone (`pass_of`)
// is simply the one-lane case.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>

#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour::detail {

// Lanes in a group: 4 measured fastest on a 2-core Xeon (2 and 8 about 10 %
// slower). One pass is about 1,100 instructions, more than the processor
// looks ahead, so passes one after another barely overlap; four lanes do.
inline constexpr std::size_t pass_lanes = 4;

template <typename Model>
pigment describe(const Model& m, const tristimulus& t) {
  return {t, m.colour_moment(t), chromaticity_xy(t)};
}

// A model may run a step for several lanes in one call (the member functions
// `compensative_wavelengths` and `hue_equal_wavelengths` over spans, e.g. as
// loops of its own sub-steps); otherwise its one-entry step runs lane by lane.
template <typename Model>
void compensative_step(const Model& m, std::span<const double> lc, std::span<const double> l,
                       std::span<std::optional<wavelength_pair>> out) {
  if constexpr (requires { m.compensative_wavelengths(lc, l, out); }) {
    m.compensative_wavelengths(lc, l, out);
  } else {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = m.compensative_wavelength(lc[i], l[i]);
  }
}

template <typename Model>
void hue_equal_step(const Model& m, std::span<const double> x, std::span<const double> y,
                    std::span<hue_equal_pair> out) {
  if constexpr (requires { m.hue_equal_wavelengths(x, y, out); }) {
    m.hue_equal_wavelengths(x, y, out);
  } else {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = m.hue_equal_wavelengths(x[i], y[i]);
  }
}

// out[i] = the pass of (lc[i], l[i]) for a group of at most Lanes passes
// (a compile-time bound, so that the one-lane case is straight-line code).
//   Middle path (a compensative wavelength exists): first = middle pigment
//   T(lc) - T(l), second = middle-gap pigment, hue-equal wavelengths of the
//   first, NaN pair for the second.
//   End path: l and lc unchanged, first = short-end pigment T(lc), second =
//   long-end pigment full - T(lc), hue-equal wavelengths of each.
template <std::size_t Lanes, typename Model>
void pass_group(const Model& m, std::span<const double> lc, std::span<const double> l,
                std::span<pass_result> out) {
  const std::size_t n = out.size();
  std::array<std::optional<wavelength_pair>, Lanes> pair;
  compensative_step(m, lc, l, std::span(pair).first(n));

  for (std::size_t i = 0; i < n; ++i) {
    pass_result& r = out[i];
    r.middle_path = pair[i].has_value();
    r.l = r.middle_path ? pair[i]->l : l[i];
    r.lc = r.middle_path ? pair[i]->lc : lc[i];
  }

  // T of the band's lower end (middle path), and of lc on both paths.
  std::array<tristimulus, Lanes> t_l;
  std::array<tristimulus, Lanes> t_lc;
  for (std::size_t i = 0; i < n; ++i) {
    if (out[i].middle_path) t_l[i] = m.cumulative_tristimulus(out[i].l);
  }
  for (std::size_t i = 0; i < n; ++i) t_lc[i] = m.cumulative_tristimulus(out[i].lc);

  // The two pigments: of the band and its gap, or the two ends of lc.
  const tristimulus full = m.full_spectrum();
  for (std::size_t i = 0; i < n; ++i) {
    pass_result& r = out[i];
    if (r.middle_path) {
      r.first.t = middle_pigment(t_l[i], t_lc[i]);
      r.second.t = middle_gap_pigment(t_l[i], t_lc[i], full);
    } else {
      r.first.t = t_lc[i];  // the short-end pigment is T(lc) itself
      r.second.t = long_end_pigment(t_lc[i], full);
    }
  }

  for (std::size_t i = 0; i < n; ++i) {
    out[i].first.moment = m.colour_moment(out[i].first.t);
    out[i].second.moment = m.colour_moment(out[i].second.t);
  }
  for (std::size_t i = 0; i < n; ++i) {
    out[i].first.xy = chromaticity_xy(out[i].first.t);
    out[i].second.xy = chromaticity_xy(out[i].second.t);
  }

  // Hue-equal wavelengths of every first pigment and of the end path's
  // second pigments, as one list.
  std::array<double, 2 * Lanes> x;
  std::array<double, 2 * Lanes> y;
  std::size_t count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    x[count] = out[i].first.xy.x;
    y[count++] = out[i].first.xy.y;
    if (!out[i].middle_path) {
      x[count] = out[i].second.xy.x;
      y[count++] = out[i].second.xy.y;
    }
  }
  std::array<hue_equal_pair, 2 * Lanes> hue_equal;
  hue_equal_step(m, std::span(x).first(count), std::span(y).first(count),
                 std::span(hue_equal).first(count));
  count = 0;
  for (std::size_t i = 0; i < n; ++i) {
    out[i].hue_equal_first = hue_equal[count++];
    out[i].hue_equal_second = out[i].middle_path ? hue_equal_pair{nan, nan} : hue_equal[count++];
  }
}

// out[i] = pass of (lc[i], l[i]) for any number of passes, a group at a time.
template <typename Model>
void passes_of(const Model& m, std::span<const double> lc, std::span<const double> l,
               std::span<pass_result> out) {
  for (std::size_t start = 0; start < out.size(); start += pass_lanes) {
    const std::size_t n = std::min(pass_lanes, out.size() - start);
    pass_group<pass_lanes>(m, lc.subspan(start, n), l.subspan(start, n), out.subspan(start, n));
  }
}

template <typename Model>
pass_result pass_of(const Model& m, double lc, double l) {
  pass_result r{};
  pass_group<1>(m, std::span(&lc, 1), std::span(&l, 1), std::span(&r, 1));
  return r;
}

}  // namespace colour::detail
