#include "colour/spectrum/spectrum_reading.h"

#include <charconv>
#include <cmath>

#include "colour/cgats_reader.h"

namespace colour {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> fields_of(std::string_view line, char separator) {
  std::vector<std::string_view> out;
  while (true) {
    const std::size_t at = line.find(separator);
    out.push_back(trimmed(line.substr(0, at)));
    if (at == std::string_view::npos) return out;
    line.remove_prefix(at + 1);
  }
}

std::string shown(std::string_view field) {
  constexpr std::size_t longest = 40;  // a runaway field is cut in the message
  return "\"" + std::string(field.substr(0, longest)) + (field.size() > longest ? "...\"" : "\"");
}

double number_of(std::string_view field, std::size_t line) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  if (field.empty() || ec != std::errc{} || end != field.data() + field.size() || !std::isfinite(v)) {
    throw spectrum_read_error(line, shown(field) + " is not a number");
  }
  return v;
}

std::vector<sample_spectrum> from_cgats(std::string_view text) {
  spectral_table table;
  try {
    table = read_cgats(text);
  } catch (const cgats_error& e) {
    throw spectrum_read_error(e.line(), e.what());
  }
  std::vector<sample_spectrum> out;
  for (std::size_t i = 0; i < table.sets.size(); ++i) {
    sample_spectrum s{i < table.sample_ids.size() ? table.sample_ids[i] : std::to_string(i + 1), {},
                      table.sets[i]};
    for (std::size_t j = 0; j < table.bands; ++j) s.wavelengths.push_back(table.wavelength(j));
    out.push_back(std::move(s));
  }
  return out;
}

std::vector<sample_spectrum> from_csv(std::string_view text) {
  std::vector<sample_spectrum> out;
  std::vector<double> wavelengths;
  std::size_t number = 0;
  char separator = ',';
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;
    if (out.empty()) {  // the header
      separator = line.find('\t') != std::string_view::npos ? '\t' : ',';
      const std::vector<std::string_view> names = fields_of(line, separator);
      if (names.size() < 2) {
        throw spectrum_read_error(number, "the header names no sample: the wavelength column, "
                                          "then one column a sample");
      }
      for (std::size_t i = 1; i < names.size(); ++i) {
        if (names[i].empty()) {
          throw spectrum_read_error(number, "column " + std::to_string(i + 1) + " has no name");
        }
        out.push_back({std::string(names[i]), {}, {}});
      }
      continue;
    }
    const std::vector<std::string_view> fields = fields_of(line, separator);
    if (fields.size() != out.size() + 1) {
      throw spectrum_read_error(number, std::to_string(fields.size()) + " fields, the header has " +
                                            std::to_string(out.size() + 1));
    }
    const double nm = number_of(fields[0], number);
    const std::size_t n = wavelengths.size();
    if (n > 0 && nm < wavelengths[n - 1]) {
      throw spectrum_read_error(number, "the wavelength " + std::string(fields[0]) +
                                            " falls below the row before");
    }
    if (n > 1 && nm == wavelengths[n - 2]) {
      throw spectrum_read_error(number, "the wavelength " + std::string(fields[0]) +
                                            " is given a third time");
    }
    wavelengths.push_back(nm);
    for (std::size_t i = 1; i < fields.size(); ++i) out[i - 1].values.push_back(number_of(fields[i], number));
  }
  if (out.empty()) throw spectrum_read_error(number, "no header: the file holds no spectra");
  if (wavelengths.empty()) throw spectrum_read_error(number, "no rows of values under the header");
  for (auto& s : out) s.wavelengths = wavelengths;
  return out;
}

}  // namespace

std::vector<sample_spectrum> read_spectra(std::string_view text, bool percent) {
  std::vector<sample_spectrum> out =
      text.find("BEGIN_DATA") != std::string_view::npos ? from_cgats(text) : from_csv(text);
  if (percent) {
    for (auto& s : out) {
      for (double& v : s.values) v /= 100;
    }
  }
  return out;
}

}  // namespace colour
