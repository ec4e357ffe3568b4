// The first item of an entered line and how it becomes a number.
//
// numeric_item_of: blanks and tabs before the item are skipped; the item ends
// at a comma, blank, tab, CR, LF or the end; a leading double quote opens a
// quoted part up to the next quote that may hold commas and blanks; only the
// first 67 characters count. The item is floating when it holds ".", "E",
// "e", "D" or "d" with no "&" before it; then "D"/"d" are read as "E"/"e".
//
//   numeric_item_of("493,8")       -> {"493", integer}
//   numeric_item_of("  493.8 nm")  -> {"493.8", floating}
//   numeric_item_of("\t-5")        -> {"-5", integer}
//   numeric_item_of("1d3")         -> {"1e3", floating}
//   numeric_item_of("&HE")         -> {"&HE", integer}
//   numeric_item_of("\"6,00\" x")  -> {"6,00", integer}
//   numeric_item_of("0x1d")        -> {"0x1e", floating}
//
// number_of_item (an entry read as a number):
//   floating                          -> number_from_text
//   integer, at most 9 characters     -> 32-bit integer conversion
//   integer, up to 18, or "&..."      -> 64-bit integer conversion
//   integer, longer                   -> number_from_text
//
//   number_of_item("493,8")   -> 493        number_of_item("1e400") -> +infinity
//   number_of_item("\"600\"") -> 600        number_of_item("inf")   -> 0
//   number_of_item("99999999999999999999") -> 1e20
//
// integer_of_item (an entry read as an integer): a floating item is rounded
// to the nearest integer, ties to even, and saturates at the 32-bit limits;
// any other item is read by 32-bit integer conversion.
//
//   integer_of_item("1.5") -> 2    integer_of_item("2.5") -> 2
//   integer_of_item("-1.5") -> -2  integer_of_item("x") -> 0
//   integer_of_item("1e10") -> 2147483647
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace textio {

inline constexpr std::size_t numeric_item_limit = 67;

struct numeric_item {
  std::string text;
  bool floating = false;
  friend bool operator==(const numeric_item&, const numeric_item&) = default;
};

numeric_item numeric_item_of(std::string_view line);

double number_of_item(std::string_view line);
std::int32_t integer_of_item(std::string_view line);

// Nearest integer, ties to even, saturated to 32 bits; NaN gives 0.
std::int32_t round_to_int32(double value);

}  // namespace textio
