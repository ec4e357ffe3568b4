#include "table/table_command.h"

#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "textio/shortest_number.h"

#include "colour/parallel_passes.h"
#include "cli/output_buffer.h"
#include "table/parallel_rows.h"
#include "command_rows/table_writer.h"
#include "cli/usage_error.h"
#include "cli/number_input.h"
#include "cli/stdin_records.h"
#include "table/wavelength_range.h"

namespace table {
namespace {

// A wavelength argument that is no number but names a file: the user meant
// to read the file, which goes through stdin.
void refuse_file_argument(const std::string& text) {
  struct stat status {};
  double value = 0.0;
  if (cli::read_number(text, value) || ::stat(text.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) {
    return;
  }
  throw cli::usage_error(cli::quoted(text) +
                         " is a file, not a wavelength; read it through stdin: "
                         "vollfarbe table - < " + text +
                         " (one wavelength a line), or vollfarbe table --column NAME - < " + text +
                         " (one column of a CSV or TSV table with a header line)");
}

std::vector<double> listed_wavelengths(const table_options& options) {
  std::vector<double> wavelengths;
  for (const auto& text : options.wavelengths) {
    if (text == "-") throw cli::usage_error("\"-\" (read stdin) cannot be mixed with wavelengths");
    refuse_file_argument(text);
    wavelengths.push_back(cli::parse_number(text, "wavelength"));
  }
  return wavelengths;
}

// How every row is computed and written.
struct row_settings {
  table_format format;
  bool strict;
  unsigned threads;
  double partner;  // the partner wavelength of every pass, 0: a first pass
};

// Rows are computed a block at a time through the model's batch entry.
constexpr std::size_t block_rows = 512;

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

std::string outside_message(const outside_count& outside, const covered_range& covered) {
  return std::to_string(outside.count) + " wavelength" + (outside.count == 1 ? " lies" : "s lie") +
         " outside the tables' range " + covered.text() + ", the first is " +
         textio::shortest_text(outside.first);
}

// The range every model covers.
covered_range covered_by(std::span<const colour::model* const> models) {
  covered_range covered{models[0]->bounds().data_lo, models[0]->bounds().data_hi};
  for (const colour::model* m : models) {
    covered.lo = std::max(covered.lo, m->bounds().data_lo);
    covered.hi = std::min(covered.hi, m->bounds().data_hi);
  }
  return covered;
}

// One model writes the plain columns, several theirs prefixed by their names.
row_formatter formatter_for(table_format format, std::span<const colour::model* const> models) {
  if (models.size() == 1) return row_formatter(format);
  std::vector<std::string> names;
  for (const colour::model* m : models) names.emplace_back(m->name());
  return row_formatter(format, names);
}

// Rows collected, computed and written a block at a time in the calling
// thread (the header before the first row), one part per model.
class row_block {
 public:
  row_block(const row_formatter& formatter, cli::output_buffer& out,
            std::span<const colour::model* const> models, double partner)
      : formatter_(formatter), out_(out), models_(models), partners_(block_rows, partner),
        passes_(models.size(), std::vector<colour::pass_result>(block_rows)),
        parts_(models.size()) {
    entries_.reserve(block_rows);
  }
  void add(double wavelength) {
    entries_.push_back(wavelength);
    if (entries_.size() == block_rows) write();
  }
  void write() {
    if (entries_.empty()) return;
    if (rows_ == 0) out_.put(formatter_.header());
    const std::size_t n = entries_.size();
    for (std::size_t m = 0; m < models_.size(); ++m) {
      colour::compute_passes(entries_, std::span(partners_).first(n),
                             std::span(passes_[m]).first(n), *models_[m]);
    }
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t m = 0; m < models_.size(); ++m) parts_[m] = table_row_of(entries_[i], passes_[m][i]);
      char* const row = out_.reserve(formatter_.row_bytes());
      out_.commit(formatter_.write_row(row, parts_, rows_++ == 0));
    }
    entries_.clear();
  }

 private:
  const row_formatter& formatter_;
  cli::output_buffer& out_;
  std::span<const colour::model* const> models_;
  std::vector<double> entries_;
  const std::vector<double> partners_;
  std::vector<std::vector<colour::pass_result>> passes_;
  std::vector<table_row> parts_;
  std::uint64_t rows_ = 0;
};

// The rows are out: the warning about extrapolated rows, and the verdict.
// Writing stopped at the first failed write; a reader that has gone (EPIPE)
// ends the command quietly, as it ends other tools.
int finish_table(cli::output_buffer& buffer, const outside_count& outside, const covered_range& covered) {
  if (!buffer.finish()) {
    if (buffer.error() != EPIPE) {
      std::fprintf(stderr, "vollfarbe table: cannot write the output: %s\n",
                   std::strerror(buffer.error()));
    }
    return 1;
  }
  if (outside.count != 0) {
    std::fprintf(stderr,
                 "vollfarbe table: warning: %llu wavelength%s outside the tables' range %s "
                 "(the first is %s); %s extrapolated\n",
                 static_cast<unsigned long long>(outside.count),
                 outside.count == 1 ? " lies" : "s lie", covered.text().c_str(),
                 textio::shortest_text(outside.first).c_str(),
                 outside.count == 1 ? "its row is" : "their rows are");
  }
  return 0;
}

template <typename Wavelengths>
int write_table(const Wavelengths& wavelengths, const row_settings& settings, std::FILE* out,
                std::span<const colour::model* const> models) {
  const covered_range covered = covered_by(models);
  const outside_count outside = count_outside(wavelengths, covered);
  if (settings.strict && outside.count != 0) {
    throw cli::usage_error("--strict: " + outside_message(outside, covered));
  }
  cli::output_buffer buffer(out);
  const row_formatter formatter = formatter_for(settings.format, models);
  const auto count = static_cast<std::uint64_t>(wavelengths.size());
  const unsigned threads = settings.threads != 0 ? settings.threads : colour::available_cores();
  // A thread is worth starting for a few blocks of rows, not for a handful.
  if (threads > 1 && count > 4 * block_rows) {
    buffer.put(formatter.header());
    write_rows_in_parallel(
        count,
        [&wavelengths](std::uint64_t first, std::span<double> entries) {
          for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = wavelengths[first + i];
        },
        formatter, models, settings.partner, buffer, threads);
  } else {
    row_block rows(formatter, buffer, models, settings.partner);
    for (std::uint64_t i = 0; i < count && !buffer.failed(); ++i) rows.add(wavelengths[i]);
    rows.write();
  }
  buffer.put(formatter.footer());
  return finish_table(buffer, outside, covered);
}

// `table -`: the lines read so far are computed a block at a time, and
// before the program waits for more input their rows go out. So each row
// follows its line, and any amount of input runs in constant memory. A bad
// line ends the table there, with the rows before it complete. `lines`
// reads lines of numbers or one column of a table.
template <typename Lines>
int write_stdin_table(std::FILE* in, Lines& lines, const row_settings& settings, std::FILE* out,
                      std::span<const colour::model* const> models) {
  const covered_range covered = covered_by(models);
  cli::output_buffer buffer(out);
  const row_formatter formatter = formatter_for(settings.format, models);
  row_block rows(formatter, buffer, models, settings.partner);
  outside_count outside;
  std::uint64_t count = 0;
  try {
    cli::read_stdin_records(
        in, lines,
        [&](std::span<const double> numbers) {
          if (numbers.size() != 1) {
            throw cli::usage_error(lines.line_name() + ": one wavelength a line, not " +
                                   std::to_string(numbers.size()));
          }
          const double w = numbers.front();
          if (covered.outside(w)) {
            if (settings.strict) {
              throw cli::usage_error("--strict: " + lines.line_name() + ": " +
                                     textio::shortest_text(w) + " lies outside the tables' range " +
                                     covered.text());
            }
            if (outside.count++ == 0) outside.first = w;
          }
          rows.add(w);
          ++count;
        },
        [&] {
          rows.write();
          buffer.push_out();
        },
        [&] { return !buffer.failed(); });
  } catch (const cli::usage_error&) {
    rows.write();  // the rows before the bad line
    throw;
  }
  if (count == 0) throw cli::usage_error("stdin: no wavelengths");
  rows.write();
  buffer.put(formatter.footer());
  return finish_table(buffer, outside, covered);
}

}  // namespace

int run_table(const table_options& options, std::span<const colour::model* const> models,
              std::FILE* in, std::FILE* out) {
  if (models.empty()) throw cli::usage_error("no model to compute the table with");
  const auto format = cli::parse_record_format(options.format);
  const bool range_given = options.from || options.to || options.step;
  if (range_given && !options.wavelengths.empty()) {
    throw cli::usage_error("give either --from/--to/--step or wavelengths, not both");
  }
  const row_settings settings{format, options.strict, options.threads,
                              options.partner ? cli::parse_number(*options.partner, "--partner") : 0.0};
  const bool from_stdin = options.wavelengths.size() == 1 && options.wavelengths.front() == "-";
  if (options.column) {
    if (range_given || !(from_stdin || options.wavelengths.empty())) {
      throw cli::usage_error("--column reads its wavelengths from stdin (-): give no range or "
                             "wavelengths with it");
    }
    cli::column_reader lines(*options.column);
    return write_stdin_table(in, lines, settings, out, models);
  }
  if (from_stdin) {
    cli::number_lines lines;
    return write_stdin_table(in, lines, settings, out, models);
  }
  if (!options.wavelengths.empty()) return write_table(listed_wavelengths(options), settings, out, models);
  const wavelength_range range(options.from.value_or("380"), options.to.value_or("770"),
                               options.step.value_or("1"));
  return write_table(range, settings, out, models);
}

}  // namespace table
