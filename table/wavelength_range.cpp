#include "table/wavelength_range.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "cli/usage_error.h"
#include "cli/number_input.h"
#include "textio/shortest_number.h"

namespace table {
namespace {

constexpr std::int64_t exact_limit = std::int64_t{1} << 53;  // integers a double holds
constexpr int max_decimals = 15;

struct decimal {
  std::int64_t digits;  // value = digits / 10^decimals
  int decimals;
};

// "380", "-0.125", "+1.5", "1e-1", "3.8E2" as an exact decimal; nullopt for
// anything else (too many digits), which then takes the plain double route.
std::optional<decimal> exact_decimal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  decimal d{0, 0};
  bool point = false;
  bool any_digit = false;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    const char c = text[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    any_digit = true;
    if (d.digits >= exact_limit / 10) return std::nullopt;
    d.digits = d.digits * 10 + (c - '0');
    if (point) ++d.decimals;
  }
  if (!any_digit) return std::nullopt;
  if (i < text.size()) {  // an exponent: 1e-1 is one decimal, 5e2 none
    std::string_view exponent = text.substr(i + 1);
    if (!exponent.empty() && exponent.front() == '+') exponent.remove_prefix(1);
    int power = 0;
    const auto [end, error] =
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), power);
    if (exponent.empty() || error != std::errc{} || end != exponent.data() + exponent.size() ||
        power < -max_decimals || power > max_decimals) {
      return std::nullopt;
    }
    d.decimals -= power;
    for (; d.decimals < 0; ++d.decimals) {
      if (d.digits >= exact_limit / 10) return std::nullopt;
      d.digits *= 10;
    }
  }
  if (d.decimals > max_decimals) return std::nullopt;
  if (negative) d.digits = -d.digits;
  return d;
}

std::optional<std::int64_t> scaled(decimal d, int decimals) {
  for (int i = d.decimals; i < decimals; ++i) {
    if (d.digits > exact_limit / 10 || d.digits < -exact_limit / 10) return std::nullopt;
    d.digits *= 10;
  }
  return d.digits;
}

}  // namespace

wavelength_range::wavelength_range(std::string_view from, std::string_view to,
                                   std::string_view step) {
  from_ = cli::parse_number(from, "--from");
  const double to_value = cli::parse_number(to, "--to");
  step_ = cli::parse_number(step, "--step");
  if (!(step_ > 0.0)) {
    throw cli::usage_error("--step: \"" + std::string(step) + "\" must be greater than 0");
  }
  if (from_ > to_value) {
    throw cli::usage_error("empty range: --from " + std::string(from) + " is above --to " +
                      std::string(to));
  }
  const auto f = exact_decimal(from);
  const auto t = exact_decimal(to);
  const auto s = exact_decimal(step);
  if (f && t && s) {
    const int decimals = std::max({f->decimals, t->decimals, s->decimals});
    const auto fu = scaled(*f, decimals);
    const auto tu = scaled(*t, decimals);
    const auto su = scaled(*s, decimals);
    if (fu && tu && su && *tu - *fu < exact_limit) {
      decimal_ = true;
      from_units_ = *fu;
      step_units_ = *su;
      for (int i = 0; i < decimals; ++i) scale_ *= 10.0;  // exact up to 10^22
      count_ = static_cast<std::uint64_t>((*tu - *fu) / *su) + 1;
    }
  }
  if (!decimal_) {
    // Fallback for texts with exponents or many digits: a relative slack of
    // 1e-9 steps lets `to` count as hit despite rounding in (to - from)/step.
    const double steps = std::floor((to_value - from_) / step_ + 1e-9);
    if (!(steps < static_cast<double>(exact_limit))) {
      throw cli::usage_error("--step: \"" + std::string(step) + "\" gives too many rows");
    }
    count_ = static_cast<std::uint64_t>(steps) + 1;
  }
  // A step below the spacing of doubles at the range's end would print
  // rows of one and the same wavelength (600 to 600.0000000000002 by 1e-17).
  const double largest = std::max(std::fabs(from_), std::fabs(to_value));
  const double spacing = std::nextafter(largest, INFINITY) - largest;
  if (count_ > 1 && step_ < spacing) {
    throw cli::usage_error("--step: \"" + std::string(step) + "\" does not change the wavelength at " +
                      std::string(to) + " (the smallest step there is " +
                      textio::shortest_text(spacing) + ")");
  }
}

double wavelength_range::operator[](std::uint64_t i) const {
  if (decimal_) {
    // Numerator and 10^k are exact, so one correctly rounded division gives
    // the double nearest to the decimal value.
    return static_cast<double>(from_units_ + static_cast<std::int64_t>(i) * step_units_) / scale_;
  }
  return from_ + static_cast<double>(i) * step_;
}

}  // namespace table
