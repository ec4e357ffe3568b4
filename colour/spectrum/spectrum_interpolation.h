// A sample spectrum as a function of the wavelength, piece by piece:
//   - on a uniform grid of at least six nodes, Sprague's quintics (as the
//     CIE advises for spectral data, and as the model's own data are);
//   - on any other grid, straight lines between the nodes (`linear()` says
//     so, for the output's warning); a wavelength given twice is a step;
//   - outside its range, its first and last values held (the CIE's advice
//     for missing data).
// Each piece is a polynomial in t = (λ - lo) / (hi - lo), 0 <= t <= 1.
#pragma once

#include <vector>

#include "colour/spectrum/spectrum_data.h"
#include "colour/sprague_interpolation.h"

namespace colour {

class spectrum_function {
 public:
  // std::invalid_argument for no values, wavelengths and values of
  // different counts, falling wavelengths, a wavelength given thrice, or a
  // value that is no finite number.
  explicit spectrum_function(const sample_spectrum& s);

  struct piece {
    double lo;  // nm
    double hi;
    quintic f;  // in t = (λ - lo) / (hi - lo)
  };

  long double operator()(long double nm) const;
  const std::vector<piece>& pieces() const { return pieces_; }
  double first_value() const { return first_; }
  double last_value() const { return last_; }
  bool linear() const { return linear_; }

 private:
  std::vector<piece> pieces_;  // rising, adjoining (a step is a piece of width 0)
  double first_;
  double last_;
  bool linear_ = false;
};

}  // namespace colour
