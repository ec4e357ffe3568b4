// The evenly spaced wavelengths of `vollfarbe table --from --to --step`.
// Point i is from + i*step, worked out in decimal when the three texts are
// decimals (also with an exponent, such as 1e-1), so that 380 + 1234*0.001 is exactly the double a user gets
// by typing 381.234; `to` belongs to the range when it is hit.
//   from 380, to 381, step 0.25 -> 380, 380.25, 380.5, 380.75, 381
//   from 0.1, to 0.3, step 0.1  -> 0.1, 0.2, 0.3 (not 0.30000000000000004)
//   from 0.1, to 0.3, step 1e-1 -> the same
//   from 380, to 381, step 0.3  -> 380, 380.3, 380.6, 380.9
#pragma once

#include <cstdint>
#include <string_view>

namespace table {

class wavelength_range {
 public:
  // Checks the texts: numbers, step > 0, from <= to, at most 2^53 points;
  // throws cli::usage_error naming the offending option otherwise.
  wavelength_range(std::string_view from, std::string_view to, std::string_view step);

  std::uint64_t size() const { return count_; }
  double operator[](std::uint64_t i) const;

 private:
  double from_ = 0.0;
  double step_ = 0.0;
  // Exact decimal form: point i = (from_units_ + i*step_units_) / scale_.
  bool decimal_ = false;
  std::int64_t from_units_ = 0;
  std::int64_t step_units_ = 0;
  double scale_ = 1.0;
  std::uint64_t count_ = 0;
};

}  // namespace table
