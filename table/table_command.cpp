#include "table/table_command.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>

#include "textio/shortest_number.h"

#include "table/output_buffer.h"
#include "table/table_writer.h"
#include "table/usage_error.h"
#include "table/wavelength_input.h"
#include "table/wavelength_range.h"

namespace table {
namespace {

std::vector<double> listed_wavelengths(const table_options& options, std::FILE* in) {
  if (options.wavelengths.size() == 1 && options.wavelengths.front() == "-") {
    return read_wavelength_lines(in);
  }
  std::vector<double> wavelengths;
  for (const auto& text : options.wavelengths) {
    if (text == "-") throw usage_error("\"-\" (read stdin) cannot be mixed with wavelengths");
    wavelengths.push_back(parse_wavelength(text, "wavelength"));
  }
  return wavelengths;
}

// Rows are computed a block at a time through the model's batch entry.
constexpr std::size_t block_rows = 1024;

// The range the model's data cover; rows outside it are extrapolations.
struct covered_range {
  double lo;
  double hi;
  bool outside(double w) const { return w < lo || w > hi; }
  std::string text() const {
    return textio::shortest_text(lo) + " to " + textio::shortest_text(hi) + " nm";
  }
};

struct outside_count {
  std::uint64_t count = 0;
  double first = 0.0;  // the first of them in the order of the rows
};

outside_count count_outside(const std::vector<double>& wavelengths, const covered_range& covered) {
  outside_count outside;
  for (const double w : wavelengths) {
    if (covered.outside(w) && outside.count++ == 0) outside.first = w;
  }
  return outside;
}

// A range rises, so the points outside are a run at each end, found by
// bisection (a range may hold up to 2^53 points).
outside_count count_outside(const wavelength_range& range, const covered_range& covered) {
  const auto first_not_below = [&](auto is_below) {
    std::uint64_t lo = 0, hi = range.size();
    while (lo < hi) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (is_below(range[mid])) lo = mid + 1; else hi = mid;
    }
    return lo;
  };
  const std::uint64_t below = first_not_below([&](double w) { return w < covered.lo; });
  const std::uint64_t up_to_hi = first_not_below([&](double w) { return w <= covered.hi; });
  outside_count outside;
  outside.count = below + (range.size() - up_to_hi);
  if (outside.count != 0) outside.first = below != 0 ? range[0] : range[up_to_hi];
  return outside;
}

template <typename Wavelengths>
int write_table(const Wavelengths& wavelengths, table_format format, bool strict,
                std::FILE* out, const colour::model& model) {
  const covered_range covered{model.bounds().data_lo, model.bounds().data_hi};
  const outside_count outside = count_outside(wavelengths, covered);
  if (strict && outside.count != 0) {
    throw usage_error("--strict: " + std::to_string(outside.count) + " wavelength" +
                      (outside.count == 1 ? " lies" : "s lie") + " outside the tables' range " +
                      covered.text() + ", the first is " +
                      textio::shortest_text(outside.first));
  }
  output_buffer buffer(out);
  table_writer writer(buffer, format);
  writer.begin();
  const auto count = static_cast<std::uint64_t>(wavelengths.size());
  std::vector<double> entries(block_rows);
  const std::vector<double> partners(block_rows, 0.0);  // a first pass: partner 0
  std::vector<colour::pass_result> passes(block_rows);
  for (std::uint64_t start = 0; start < count; start += block_rows) {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block_rows, count - start));
    for (std::size_t i = 0; i < n; ++i) entries[i] = wavelengths[start + i];
    colour::compute_passes(std::span(entries).first(n), std::span(partners).first(n),
                           std::span(passes).first(n), model);
    for (std::size_t i = 0; i < n; ++i) writer.row(table_row_of(entries[i], passes[i]));
  }
  writer.end();
  const bool written = buffer.finish();
  if (outside.count != 0) {
    std::fprintf(stderr,
                 "vollfarbe table: warning: %llu wavelength%s outside the tables' range %s "
                 "(the first is %s); %s extrapolated\n",
                 static_cast<unsigned long long>(outside.count),
                 outside.count == 1 ? " lies" : "s lie", covered.text().c_str(),
                 textio::shortest_text(outside.first).c_str(),
                 outside.count == 1 ? "its row is" : "their rows are");
  }
  if (!written) {
    std::fputs("vollfarbe table: cannot write the output\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

int run_table(const table_options& options, std::FILE* in, std::FILE* out) {
  const auto format = table_format_named(options.format);
  if (!format) {
    throw usage_error("--format: \"" + options.format + "\" is not csv, tsv, json or jsonl");
  }
  const bool range_given = options.from || options.to || options.step;
  if (range_given && !options.wavelengths.empty()) {
    throw usage_error("give either --from/--to/--step or wavelengths, not both");
  }
  if (!options.wavelengths.empty()) {
    const auto wavelengths = listed_wavelengths(options, in);
    if (wavelengths.empty()) throw usage_error("stdin: no wavelengths");
    return write_table(wavelengths, *format, options.strict, out, colour::legacy_model());
  }
  const wavelength_range range(options.from.value_or("380"), options.to.value_or("770"),
                               options.step.value_or("1"));
  return write_table(range, *format, options.strict, out, colour::legacy_model());
}

}  // namespace table
