// The colour model: the compensative wavelength of a spectral colour, the
// optimal colours ("Vollfarben") bounded by a pair of wavelengths, their
// colour moment and chromaticity, and the hue-equal wavelengths of a colour,
// computed over a `model`: the observer's data and white point. The built-in
// tables are one model (colour/legacy/legacy_model.h: `legacy_model()`), the
// CIE observers another (colour/cie/cie_model.h); every caller names the model
// it computes with.
//
// Arithmetic: the built-in model evaluates every formula with long double
// (x87, 64-bit significand) intermediates in the order written and stores
// every named result as double, inside an `exact_arithmetic` scope that each
// entry below opens itself. Lookups that find no data give NaN.
#pragma once

#include <limits>
#include <optional>
#include <span>
#include <string_view>

static_assert(std::numeric_limits<long double>::digits == 64,
              "exact results need x86-64's extended long double (64-bit significand)");

namespace colour {

// Tristimulus values: in percent of the full-spectrum totals for the built-in
// tables; in the CIE convention for the CIE models (the illuminant's white
// has Y = 100, its X and Z give the white point).
struct tristimulus {
  double X;
  double Y;
  double Z;
};

struct chromaticity {
  double x;
  double y;
};

struct wavelength_pair {  // l <= lc
  double l;
  double lc;
};

struct hue_equal_pair {
  double l1;
  double l2;
};

// The hue of a colour seen from the white point (CIE 15). Wavelengths are
// floored to 0.001 nm, as every printed wavelength; NaN where there is none.
struct dominant_hue {
  double dominant;       // its spectral wavelength; for a purple minus the complementary one
  double complementary;  // the wavelength on the far side of the white point
  double excitation_purity;    // |colour - white| / |D - white|, D on the locus
                               // (or on the purple line for a purple)
  double colorimetric_purity;  // excitation purity * y_D / y
  // False for a chromaticity outside the spectrum locus and the purple line
  // (or with y <= 0): its purities are NaN, never above 1 or below 0.
  bool inside_locus = true;
};

// A pigment with what is printed about it.
struct pigment {
  tristimulus t;
  double moment;
  chromaticity xy;
};

// Everything one pass computes for the working wavelength lc and partner l.
// Middle path: first = middle pigment, second = middle-gap pigment,
// hue_equal_first = hue-equal wavelengths of the middle pigment,
// hue_equal_second = NaN pair. End path (no compensative wavelength): l and lc
// unchanged, first = short-end, second = long-end pigment of lc, and the
// hue-equal wavelengths of each.
struct pass_result {
  bool middle_path;
  double l;
  double lc;
  pigment first;
  pigment second;
  hue_equal_pair hue_equal_first;
  hue_equal_pair hue_equal_second;
};

// Wavelengths (nm) where a model's behaviour changes.
struct model_bounds {
  double locus_blue_end;  // the spectrum locus runs from here (380 nm built in)...
  double locus_red_end;   // ...to here (700 nm), closed by the purple line
  double green_lo;        // the green range, both bounds inclusive: entries with
  double green_hi;        //   no spectral compensative wavelength
  double data_lo;         // the range the model's data cover (380..770 nm built
  double data_hi;         //   in); results outside it are extrapolated
};

// What differs between observers and white points. Implementations are
// immutable after construction and may be shared between threads. Whoever
// calls these members directly holds an `exact_arithmetic` scope
// (colour/exact_arithmetic.h); the functions below the class take their own.
class model {
 public:
  virtual ~model() = default;

  virtual std::string_view name() const = 0;
  // What a legend says about it: "CIE 1931 2°, E". The name by default.
  virtual std::string_view description() const { return name(); }
  virtual const model_bounds& bounds() const = 0;
  virtual chromaticity white_point() const = 0;

  // Chromaticity of the spectrum locus at w (nm); NaN where the model's locus
  // data have no point.
  virtual chromaticity locus_chromaticity(double w) const = 0;
  // The locus as a diagram draws it, with no gaps from locus_blue_end to
  // locus_red_end (a model may bridge a gap in its data here).
  virtual chromaticity drawn_locus_point(double w) const { return locus_chromaticity(w); }

  // The partner of a spectral entry. lc is the working wavelength, l the
  // previous partner (0 on a first pass): either at or beyond the red end
  // decides the pass as the red end itself. None in the green range (of lc
  // or l) and wherever the complement leaves the spectrum; otherwise the
  // ordered pair of lc and its compensative wavelength, floored to 0.001 nm.
  virtual std::optional<wavelength_pair> compensative_wavelength(double lc, double l) const = 0;

  // T(lambda): the tristimulus values of the spectrum from the start of the
  // data up to lambda; full_spectrum() is the whole (the white).
  virtual tristimulus cumulative_tristimulus(double lambda) const = 0;
  virtual tristimulus full_spectrum() const = 0;

  // The colour moment printed for a pigment ("M voll"), relative to the
  // model's white.
  virtual double colour_moment(const tristimulus& t) const = 0;

  // Hue-equal wavelengths l1, l2 of the chromaticity (x, y); negative for a
  // purple (the complement's wavelength); NaN where there is none.
  virtual hue_equal_pair hue_equal_wavelengths(double x, double y) const = 0;

  // Whether dominant() gives the purities (and the CIE 15 construction at
  // all): the built-in tables give the hue-equal wavelengths only.
  virtual bool has_purities() const { return false; }
  // The dominant and complementary wavelength and the purities of (x, y);
  // none from a model whose data give no purities (the built-in tables).
  virtual std::optional<dominant_hue> dominant(double x, double y) const {
    static_cast<void>(x), static_cast<void>(y);
    return std::nullopt;
  }
  // A batch: out[i] = dominant(x[i], y[i]), the three spans of one length.
  // A model may run it faster than colour by colour, but every bit must be
  // the same.
  virtual void dominants(std::span<const double> x, std::span<const double> y,
                         std::span<std::optional<dominant_hue>> out) const {
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = dominant(x[i], y[i]);
  }

  // One pass, and a batch: out[i] = pass(lc[i], l[i]). A model may run the
  // batch faster than pass by pass, but every bit must be the same.
  virtual pass_result pass(double lc, double l) const = 0;
  virtual void passes(std::span<const double> lc, std::span<const double> l,
                      std::span<pass_result> out) const;
};

// One pass of the calculator, as the dialogue and the table run it.
pass_result compute_pass(double lc, double l, const model& m);

// out[i] = compute_pass(lc[i], l[i], m) for every i; the three spans have the
// same length (a shorter out is a programming error: std::invalid_argument).
void compute_passes(std::span<const double> lc, std::span<const double> l,
                    std::span<pass_result> out, const model& m);

// --- the optimal colours as sums and differences of T ------------------------

tristimulus middle_pigment(const tristimulus& t_l, const tristimulus& t_lc);  // T(lc) - T(l)
// (full - T(lc)) + T(l): the whole spectrum but the band.
tristimulus middle_gap_pigment(const tristimulus& t_l, const tristimulus& t_lc,
                               const tristimulus& full);
tristimulus long_end_pigment(const tristimulus& t_lambda, const tristimulus& full);  // full - T

tristimulus short_end_pigment(double lambda, const model& m);  // T(lambda)
tristimulus long_end_pigment(double lambda, const model& m);   // full - T(lambda)

// sqrt((Y - X)^2 + (Y - Z)^2) rounded to hundredths, ties to even, with no
// limit on the count: r = 0.125 -> 0.12, 0.375 -> 0.38, infinite r -> infinity.
double colour_moment(const tristimulus& t);

// x = X / (X + Y + Z), y = Y / (X + Y + Z), for every finite triple whose
// sum is not 0, however large or small (t, t, t) gives (1/3, 1/3) for every
// t != 0. A zero sum gives NaN (no chromaticity); a negative one the same
// quotients (an unreal colour, as the figures of a negative triple are).
chromaticity chromaticity_xy(const tristimulus& t);

// The tristimulus values with the model's moment and the chromaticity.
pigment describe_pigment(const tristimulus& t, const model& m);

}  // namespace colour
