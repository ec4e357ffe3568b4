#include "table/table_command.h"

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

template <typename Wavelengths>
int write_table(const Wavelengths& wavelengths, table_format format, std::FILE* out) {
  output_buffer buffer(out);
  table_writer writer(buffer, format);
  writer.begin();
  const auto count = static_cast<std::uint64_t>(wavelengths.size());
  for (std::uint64_t i = 0; i < count; ++i) writer.row(compute_table_row(wavelengths[i]));
  writer.end();
  if (!buffer.finish()) {
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
    return write_table(wavelengths, *format, out);
  }
  const wavelength_range range(options.from.value_or("380"), options.to.value_or("770"),
                               options.step.value_or("1"));
  return write_table(range, *format, out);
}

}  // namespace table
