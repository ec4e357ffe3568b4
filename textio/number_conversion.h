// Text to number, as every entry and every built-in table value is read.
// Nothing is ever rejected: a text that is no number gives 0.
//
// number_from_text: leading blanks skipped; "&" forms are integers (64 bits);
// otherwise "D"/"d" read as "E"/"e" and the longest leading decimal form
// (sign, digits with at most one point, exponent) becomes the nearest double,
// correctly rounded however many digits there are.
//
//   number_from_text("493.885")     -> 493.885
//   number_from_text("  -5")        -> -5
//   number_from_text("1d3")         -> 1000
//   number_from_text("-2.5D-1")     -> -0.25
//   number_from_text(".5")          -> 0.5
//   number_from_text("7.")          -> 7
//   number_from_text("493.8 nm")    -> 493.8
//   number_from_text("1e")          -> 1        (no exponent digits: not an exponent)
//   number_from_text("1e400")       -> +infinity
//   number_from_text("-1e400")      -> -infinity
//   number_from_text("1e-400")      -> 0
//   number_from_text("4e-324")      -> 4.9406564584124654e-324 (smallest subnormal)
//   number_from_text("&H1F")        -> 31
//   number_from_text("inf")         -> 0
//   number_from_text("nan")         -> 0
//   number_from_text("0x1p3")       -> 0
//   number_from_text("abc")         -> 0
//   number_from_text("")            -> 0
//
// integer_from_text: leading blanks skipped; "&H"/"&h" hexadecimal, "&B"/"&b"
// binary, "&O"/"&o" octal, "&" before any other character octal from that
// character on; otherwise an optional sign and decimal digits. Reading stops
// at the first other character. Results saturate at the limits of the width;
// the digits of "&" forms are an unsigned magnitude, so they saturate at the
// largest value.
//
//   integer_from_text("493,8", bits32)          -> 493
//   integer_from_text("+17x", bits32)           -> 17
//   integer_from_text("&H1F", bits32)           -> 31
//   integer_from_text("&b101", bits32)          -> 5
//   integer_from_text("&o17", bits32)           -> 15
//   integer_from_text("&17", bits32)            -> 15
//   integer_from_text("&X17", bits32)           -> 0
//   integer_from_text("&H", bits32)             -> 0
//   integer_from_text("-", bits32)              -> 0
//   integer_from_text("3000000000", bits32)     -> 2147483647
//   integer_from_text("-3000000000", bits32)    -> -2147483648
//   integer_from_text("3000000000", bits64)     -> 3000000000
//   integer_from_text("-99999999999999999999", bits64) -> -9223372036854775808
//   integer_from_text("&HFFFFFFFF", bits32)     -> 2147483647
//   integer_from_text("&HFFFFFFFFFFFFFFFFF", bits64) -> 9223372036854775807
#pragma once

#include <cstdint>
#include <string_view>

namespace textio {

double number_from_text(std::string_view text);

enum class integer_width : int { bits32 = 32, bits64 = 64 };

std::int64_t integer_from_text(std::string_view text, integer_width width);

}  // namespace textio
