// The digits come from fmt's Dragonbox (the shortest decimal that reads back
// to the same double); the layout is std::to_chars's: plain or exponent form,
// whichever is shorter, plain on a tie. About three times as fast as
// std::to_chars; tests/textio/shortest_number_test.cpp proves the same bytes
// over tens of millions of doubles, `make bench` over many more.
#include "textio/shortest_number.h"

#include <fmt/format.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace textio {
namespace {

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Exactly 8 digits of v < 10^8 at `out`, as two independent halves.
void write_eight_digits(std::uint32_t v, char* out) {
  const std::uint32_t high = v / 10000;
  const std::uint32_t low = v % 10000;
  std::memcpy(out, digit_pairs + 2 * (high / 100), 2);
  std::memcpy(out + 2, digit_pairs + 2 * (high % 100), 2);
  std::memcpy(out + 4, digit_pairs + 2 * (low / 100), 2);
  std::memcpy(out + 6, digit_pairs + 2 * (low % 100), 2);
}

// Writes the decimal digits of v to end at `end`.
void write_digits(std::uint64_t v, char* end) {
  while (v >= 100'000'000) {
    end -= 8;
    write_eight_digits(static_cast<std::uint32_t>(v % 100'000'000), end);
    v /= 100'000'000;
  }
  while (v >= 100) {
    end -= 2;
    std::memcpy(end, digit_pairs + 2 * (v % 100), 2);
    v /= 100;
  }
  if (v >= 10) {
    std::memcpy(end - 2, digit_pairs + 2 * v, 2);
  } else {
    end[-1] = static_cast<char>('0' + v);
  }
}

constexpr std::uint64_t powers_of_ten[] = {
      1u, 10u, 100u, 1000u, 10000u, 100000u, 1000000u, 10000000u, 100000000u, 1000000000u,
      10000000000u, 100000000000u, 1000000000000u, 10000000000000u, 100000000000000u,
      1000000000000000u, 10000000000000000u, 100000000000000000u, 1000000000000000000u,
      10000000000000000000u};

int digit_count(std::uint64_t v) {
  const int guess = (64 - std::countl_zero(v | 1)) * 1233 >> 12;  // log10 from log2
  return guess + (v >= powers_of_ten[guess] ? 1 : 0);
}

}  // namespace

char* write_shortest(const double value_in, char* const start) {
  char* out = start;
  double value = value_in;
  if (std::signbit(value)) {
    *out++ = '-';
    value = -value;
  }
  if (value == 0) {
    *out++ = '0';
    return out;
  }
  // value = significand * 10^exponent, the significand without trailing zeros.
  const auto decimal = fmt::detail::dragonbox::to_decimal(value);
  std::uint64_t significand = decimal.significand;
  int exponent = decimal.exponent;
  while (significand % 10 == 0) {
    significand /= 10;
    ++exponent;
  }
  const int n = digit_count(significand);

  // Lengths of both forms without the sign: d.ddde+XX and the plain decimal.
  const int scientific_exponent = exponent + n - 1;
  const int abs_exponent = scientific_exponent < 0 ? -scientific_exponent : scientific_exponent;
  const int scientific_length = n + (n > 1 ? 1 : 0) + 2 + (abs_exponent >= 100 ? 3 : 2);
  const int plain_length = exponent >= 0 ? n + exponent : (n + exponent > 0 ? n + 1 : 2 - exponent);

  if (plain_length <= scientific_length) {
    // From 2^53 on, integers are sparse among the doubles and the plain form
    // shows the double's exact value, not the shortest digits padded with
    // zeros (9007199254740993e3 is 9007199254740992512): to_chars knows it.
    if (exponent > 0 && value >= 0x1p53) {
      return std::to_chars(start, start + shortest_number_capacity, value_in).ptr;
    }
    if (exponent >= 0) {  // 600, 1200000 written out
      write_digits(significand, out + n);
      out += n;
      for (int i = 0; i < exponent; ++i) *out++ = '0';
    } else if (n + exponent > 0) {  // 45.676: the digits, then the point moved in
      const int whole = n + exponent;
      const int fraction = -exponent;  // digits after the point, the last not 0
      const std::uint64_t fraction_digits = significand % powers_of_ten[fraction];
      write_digits(significand / powers_of_ten[fraction], out + whole);
      out[whole] = '.';
      char* const fraction_start = out + whole + 1;
      const int leading_zeros = fraction - digit_count(fraction_digits);
      for (int i = 0; i < leading_zeros; ++i) fraction_start[i] = '0';
      write_digits(fraction_digits, fraction_start + fraction);
      out = fraction_start + fraction;
    } else {  // 0.001
      *out++ = '0';
      *out++ = '.';
      for (int i = 0; i < -exponent - n; ++i) *out++ = '0';
      write_digits(significand, out + n);
      out += n;
    }
    return out;
  }
  write_digits(significand, out + n + 1);
  out[0] = out[1];
  if (n > 1) {
    out[1] = '.';
    out += n + 1;
  } else {
    out += 1;
  }
  *out++ = 'e';
  *out++ = scientific_exponent < 0 ? '-' : '+';
  if (abs_exponent >= 100) {
    *out++ = static_cast<char>('0' + abs_exponent / 100);
  }
  std::memcpy(out, digit_pairs + 2 * (abs_exponent % 100), 2);
  return out + 2;
}

std::string shortest_text(double value) {
  char text[shortest_number_capacity];
  return {text, write_shortest(value, text)};
}

}  // namespace textio
