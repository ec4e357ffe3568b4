// The one text every printed number gets, on the screen and in the report
// file alike: 16 significant digits of the double's exact binary value,
// rounded to nearest ("%.16g"), exponents widened to at least three digits,
// and a blank in front of every text that does not begin with "-".
//
//   number_text(493.885)              -> " 493.885"
//   number_text(571.209)              -> " 571.2089999999999"
//   number_text(-612.345)             -> "-612.345"
//   number_text(0.1234567890123456)   -> " 0.1234567890123456"
//   number_text(2.0 / 3.0)            -> " 0.6666666666666666"
//   number_text(0.1 + 0.2)            -> " 0.3"
//   number_text(100)                  -> " 100"
//   number_text(700)                  -> " 700"
//   number_text(0.0)                  -> " 0"
//   number_text(-0.0)                 -> "-0"
//   number_text(0.0001)               -> " 0.0001"
//   number_text(0.00001)              -> " 1e-005"
//   number_text(1e-7)                 -> " 1e-007"
//   number_text(-1e-7)                -> "-1e-007"
//   number_text(1e15)                 -> " 1000000000000000"
//   number_text(1e16)                 -> " 1e+016"
//   number_text(123456789012345678.0) -> " 1.234567890123457e+017"
//   number_text(1.5e300)              -> " 1.5e+300"
//   number_text(+infinity)            -> " inf"
//   number_text(-infinity)            -> "-inf"
//   number_text(NaN of either sign)   -> " nan"
//   number_text(-1.234567890123457e-300) -> "-1.234567890123457e-300"
//
// The last one is the longest text: 23 characters, sign, 16 digits, point,
// "e", exponent sign and three exponent digits.
#pragma once

#include <cstddef>
#include <string>

namespace textio {

inline constexpr std::size_t longest_number_text = 23;

std::string number_text(double value);

}  // namespace textio
