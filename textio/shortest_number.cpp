// The digits come from fmt's Dragonbox (the shortest decimal that reads back
// to the same double, without trailing zeros); the layout is std::to_chars's:
// plain or exponent form, whichever is shorter, plain on a tie.
// tests/textio/shortest_number_test.cpp proves the same bytes over tens of
// millions of doubles, `make bench` over many more.
//
// The table spends most of its time here, hence:
// - fmt is compiled into this file (header-only, no run-time library) with
//   Dragonbox's full table of powers of ten: no power of ten rebuilt by
//   multiplication for every number.
// - Digits are made eight at a time by a few multiplications in one 64-bit
//   word (no loop, no division), and placed by whole-word stores that may
//   overlap: no byte-by-byte copying, and no text read back after it was
//   stored (a load the processor cannot forward from the stores and waits for).
#include "textio/shortest_number.h"

// Every double's power of ten as a table entry (10 KiB) rather than one entry
// in 27 and a rebuild by multiplication. Only this file compiles fmt.
#define FMT_USE_FULL_CACHE_DRAGONBOX 1
#include <fmt/format.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace textio {
namespace {

// The 8 decimal digits of v < 10^8 as ASCII, the first digit in the lowest
// byte: 12345678 -> bytes "12345678", 42 -> "00000042". The lanes of one word
// are split in two by one multiplication each, q = x / 10^k by a
// multiplication and a shift, and x + q * (2^b - 10^k) puts q in the upper
// b bits and x - q * 10^k in the lower (lanes from the lowest):
//   12345678 -> [5678 | 1234] -> [78 | 56 | 34 | 12] -> [8 | 7 | ... | 1]
// (x * 10486 >> 20 is x / 100 for x < 10^4, y * 103 >> 10 is y / 10 for
// y < 100); the byte swap then puts the first digit first.
std::uint64_t eight_digits(std::uint32_t v) {
  const std::uint64_t q = v / 10000;
  const std::uint64_t fours = v + q * ((1ull << 32) - 10000);
  const std::uint64_t hundreds = (fours * 10486 >> 20) & 0x0000007f'0000007f;
  const std::uint64_t twos = fours + hundreds * ((1ull << 16) - 100);
  const std::uint64_t tens = (twos * 103 >> 10) & 0x000f000f'000f000f;
  const std::uint64_t ones_and_tens = twos + tens * ((1ull << 8) - 10);
  return __builtin_bswap64(ones_and_tens + 0x30303030'30303030);
}

// The 8 characters of a word (the first in the lowest byte) at `out`.
void store(char* out, std::uint64_t text) {
  if constexpr (std::endian::native == std::endian::big) text = __builtin_bswap64(text);
  std::memcpy(out, &text, 8);
}

constexpr std::uint64_t powers_of_ten[] = {
    1u, 10u, 100u, 1000u, 10000u, 100000u, 1000000u, 10000000u, 100000000u, 1000000000u,
    10000000000u, 100000000000u, 1000000000000u, 10000000000000u, 100000000000000u,
    1000000000000000u, 10000000000000000u, 100000000000000000u, 1000000000000000000u,
    10000000000000000000u};

// 1 for 0 (v | 1 has as many digits as v).
int digit_count(std::uint64_t v) {
  v |= 1;
  const int guess = (64 - std::countl_zero(v)) * 1233 >> 12;  // log10 from log2
  return guess + (v >= powers_of_ten[guess] ? 1 : 0);
}

// Writes the n digits of v (n = digit_count(v) <= 17) at `out`, with a point
// after the first `whole` of them (0 <= whole < n): (45676, 5, 2) -> "45.676".
// Returns the end; the 8 bytes after it are scratch. The digits go in whole
// words: up to the point, then again from the point on, one place further.
char* write_with_point(std::uint64_t v, int n, int whole, char* out) {
  char* const end = out + n + 1;
  if (n <= 8) {
    const std::uint64_t digits = eight_digits(static_cast<std::uint32_t>(v)) >> (8 * (8 - n));
    store(out, digits);
    store(out + whole + 1, digits >> (8 * whole));
    out[whole] = '.';
    return end;
  }
  auto high = static_cast<std::uint32_t>(v / 100'000'000);  // the first n - 8 digits
  const std::uint64_t low = eight_digits(static_cast<std::uint32_t>(v % 100'000'000));
  if (n > 16) {  // the 17th digit first, then as for 16 digits one place on
    *out++ = static_cast<char>('0' + high / 100'000'000);
    high %= 100'000'000;
    --n;
    --whole;
  }
  const int high_count = n - 8;
  const std::uint64_t high_digits = eight_digits(high) >> (8 * (8 - high_count));
  store(out, high_digits);
  if (whole < high_count) {
    store(out + whole + 1, high_digits >> (8 * whole));
    store(out + high_count + 1, low);
  } else {
    store(out + high_count, low);
    store(out + whole + 1, low >> (8 * (whole - high_count)));
  }
  out[whole] = '.';
  return end;
}

// Writes the n digits of v (n = digit_count(v) <= 17) at `out`; the 8 bytes
// after them are scratch.
void write_digits(std::uint64_t v, int n, char* out) {
  if (n <= 8) {
    store(out, eight_digits(static_cast<std::uint32_t>(v)) >> (8 * (8 - n)));
    return;
  }
  auto high = static_cast<std::uint32_t>(v / 100'000'000);
  const std::uint64_t low = eight_digits(static_cast<std::uint32_t>(v % 100'000'000));
  if (n > 16) {
    *out++ = static_cast<char>('0' + high / 100'000'000);
    high %= 100'000'000;
    --n;
  }
  store(out, eight_digits(high) >> (8 * (16 - n)));
  store(out + n - 8, low);
}

constexpr char exponent_digits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// From 2^53 on, integers are sparse among the doubles and the plain form
// shows the double's exact value, not the shortest digits padded with zeros
// (9007199254740993e3 is 9007199254740992512): to_chars knows it. Out of
// line, so that the common cases need not prepare for a library call.
[[gnu::cold, gnu::noinline]] char* write_exact_integer(double value, char* out) {
  return std::to_chars(out, out + shortest_number_capacity, value).ptr;
}

}  // namespace

char* write_shortest(const double value, char* out) {
  char* const start = out;
  *out = '-';
  out += std::signbit(value) ? 1 : 0;
  // |value| = significand * 10^exponent, the significand of n <= 17 digits
  // without trailing zeros; 0 gives 0 * 10^0. Dragonbox ignores the sign bit.
  const auto decimal = fmt::detail::dragonbox::to_decimal(value);
  const std::uint64_t significand = decimal.significand;
  const int exponent = decimal.exponent;
  const int n = digit_count(significand);
  const int whole = n + exponent;  // the digits before the point in the plain form

  // The plain form wherever it is no longer than the exponent form d.ddde+XX:
  // up to 5 zeros after the digits (4 after a single digit), or up to 3
  // zeros after "0." (2 before a single digit).
  const int more_for_long = n > 1 ? 1 : 0;
  if (exponent < 0 && whole > 0) {  // 45.676
    return write_with_point(significand, n, whole, out);
  }
  if (exponent >= 0 && exponent <= 4 + more_for_long) {  // 600, 1200000
    if (exponent > 0 && std::fabs(value) >= 0x1p53) return write_exact_integer(value, start);
    write_digits(significand, n, out);
    std::memcpy(out + n, "00000000", 8);
    return out + whole;
  }
  if (whole <= 0 && -whole <= 2 + more_for_long) {  // 0.001
    std::memcpy(out, "0.000000", 8);
    write_digits(significand, n, out + 2 - whole);
    return out + 2 - whole + n;
  }

  // 1e-05, 1.2e+07, 1.5e-100
  if (n > 1) {
    out = write_with_point(significand, n, 1, out);
  } else {
    write_digits(significand, 1, out);
    ++out;
  }
  const int scientific_exponent = whole - 1;
  out[0] = 'e';
  out[1] = scientific_exponent < 0 ? '-' : '+';
  out += 2;
  const int magnitude = scientific_exponent < 0 ? -scientific_exponent : scientific_exponent;
  if (magnitude >= 100) *out++ = static_cast<char>('0' + magnitude / 100);
  std::memcpy(out, exponent_digits + 2 * (magnitude % 100), 2);
  return out + 2;
}

std::string shortest_text(double value) {
  char text[shortest_number_capacity];
  return {text, write_shortest(value, text)};
}

}  // namespace textio
