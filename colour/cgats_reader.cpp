// The CGATS reader: one pass over the lines, a keyword header, an optional
// field-name block, then one or more data blocks.
#include "colour/cgats_reader.h"

#include <charconv>
#include <cstdint>
#include <cmath>
#include <optional>

namespace colour {
namespace {

// Sets larger than this are no spectral data (a 0.01 nm grid over the visible
// range has 50,000 bands); refusing them keeps a hostile file from asking for
// gigabytes.
constexpr std::size_t max_bands = 100000;

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

// Splits off the first blank-separated token of s.
std::string_view next_token(std::string_view& s) {
  s = trimmed(s);
  std::size_t end = 0;
  while (end < s.size() && !is_blank(s[end])) ++end;
  const std::string_view token = s.substr(0, end);
  s.remove_prefix(end);
  return token;
}

// Control bytes escaped: a NUL would end the message where it is printed, an
// ESC would drive the terminal.
std::string quoted(std::string_view token) {
  constexpr std::size_t shown = 40;  // a runaway token is cut in the message
  static constexpr char hex[] = "0123456789abcdef";
  std::string out = "\"";
  for (const char c : token.substr(0, shown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      out += "\\x";
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + (token.size() > shown ? "...\"" : "\"");
}

double number_of(std::string_view token, std::size_t line) {
  std::string_view digits = token;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc{} || end != digits.data() + digits.size() || digits.empty() ||
      !std::isfinite(value)) {
    throw cgats_error(line, quoted(token) + " is not a number");
  }
  return value;
}

struct numbered_keyword {
  std::optional<double> value;
  std::size_t line = 0;
};

class line_reader {
 public:
  explicit line_reader(std::string_view text) : text_(text) {}
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    ++number_;
    return true;
  }
  std::size_t number() const { return number_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
};

bool is_comment_or_blank(std::string_view line) {
  line = trimmed(line);
  return line.empty() || line.front() == '#';
}

std::size_t count_of(const numbered_keyword& k, std::string_view name, std::size_t limit) {
  const double v = *k.value;
  if (!(v >= 0 && v <= static_cast<double>(limit) && v == std::floor(v))) {
    throw cgats_error(k.line, std::string(name) + " must be a whole number from 0 to " +
                                  std::to_string(limit));
  }
  return static_cast<std::size_t>(v);
}

// The field that names a sample rather than holding a value.
bool is_sample_id_field(std::string_view name) { return name == "SAMPLE_ID"; }

}  // namespace

spectral_table read_cgats(std::string_view text) { return read_cgats(text, SIZE_MAX); }

spectral_table read_cgats(std::string_view text, std::size_t sets_kept) {
  // An empty file has no line to name: the first is the one missing.
  if (text.empty()) throw cgats_error(1, "the file is empty");
  line_reader lines(text);
  bool subnormal = false;
  numbered_keyword start, end, bands, fields, sets;
  std::optional<std::size_t> format_fields;
  std::optional<std::size_t> id_field;  // its position among the fields
  std::optional<spectral_table> table;
  std::size_t blocks = 0;

  const auto grid_ready = [&](std::size_t line) {
    for (const auto& [keyword, name] :
         {std::pair{&start, "SPECTRAL_START_NM"}, std::pair{&end, "SPECTRAL_END_NM"},
          std::pair{&bands, "SPECTRAL_BANDS"}}) {
      if (!keyword->value) throw cgats_error(line, std::string(name) + " is missing before BEGIN_DATA");
    }
    const std::size_t n = count_of(bands, "SPECTRAL_BANDS", max_bands);
    if (n < 2) throw cgats_error(bands.line, "SPECTRAL_BANDS must be at least 2");
    if (!(*start.value < *end.value)) {
      throw cgats_error(end.line, "SPECTRAL_END_NM must lie above SPECTRAL_START_NM");
    }
    if (!std::isfinite(*end.value - *start.value)) {
      throw cgats_error(end.line, "the spectral range is too wide for a grid");
    }
    if (fields.value && count_of(fields, "NUMBER_OF_FIELDS", max_bands) != n + (id_field ? 1 : 0)) {
      throw cgats_error(fields.line, "NUMBER_OF_FIELDS differs from SPECTRAL_BANDS");
    }
    if (format_fields && *format_fields != n) {
      throw cgats_error(line, "the data format names " + std::to_string(*format_fields) +
                                  " fields, SPECTRAL_BANDS says " + std::to_string(n));
    }
    return n;
  };

  std::string_view line;
  while (lines.next(line)) {
    if (is_comment_or_blank(line)) continue;
    std::string_view rest = line;
    const std::string_view keyword = next_token(rest);
    const auto numbered = [&](numbered_keyword& k) {
      k.value = number_of(next_token(rest), lines.number());
      k.line = lines.number();
    };
    if (keyword == "SPECTRAL_START_NM") {
      numbered(start);
    } else if (keyword == "SPECTRAL_END_NM") {
      numbered(end);
    } else if (keyword == "SPECTRAL_BANDS") {
      numbered(bands);
    } else if (keyword == "NUMBER_OF_FIELDS") {
      numbered(fields);
    } else if (keyword == "NUMBER_OF_SETS") {
      numbered(sets);
    } else if (keyword == "BEGIN_DATA_FORMAT") {
      std::size_t count = 0;
      bool closed = false;
      while (!closed && lines.next(line)) {
        std::string_view names = line;
        for (std::string_view name = next_token(names); !name.empty(); name = next_token(names)) {
          if (name == "END_DATA_FORMAT") {
            closed = true;
            break;
          }
          if (is_sample_id_field(name) && !id_field) {
            id_field = count;
            continue;
          }
          ++count;
        }
      }
      if (!closed) throw cgats_error(lines.number(), "END_DATA_FORMAT is missing");
      format_fields = count;
    } else if (keyword == "BEGIN_DATA") {
      const std::size_t begin_line = lines.number();
      const std::size_t n = grid_ready(begin_line);
      std::vector<std::vector<double>> block;
      std::size_t block_sets = 0;
      std::vector<double> set;  // a set beyond `sets_kept` is read here and dropped
      std::vector<std::string> ids;  // of the kept sets
      bool closed = false;
      while (lines.next(line)) {
        if (is_comment_or_blank(line)) continue;
        std::string_view values = line;
        std::string_view token = next_token(values);
        if (token == "END_DATA") {
          closed = true;
          break;
        }
        set.clear();
        set.reserve(n);
        std::optional<std::string_view> id;
        for (; !token.empty(); token = next_token(values)) {
          if (id_field && set.size() == *id_field && !id) {
            id = token;
            continue;
          }
          if (set.size() == n) {
            throw cgats_error(lines.number(), "too many values: more than SPECTRAL_BANDS " +
                                                  std::to_string(n));
          }
          const double value = number_of(token, lines.number());
          subnormal = subnormal || std::fpclassify(value) == FP_SUBNORMAL;
          set.push_back(value);
        }
        if (id_field && !id) throw cgats_error(lines.number(), "the set has no SAMPLE_ID");
        if (set.size() < n) {
          throw cgats_error(lines.number(), "too few values: " + std::to_string(set.size()) +
                                                " of SPECTRAL_BANDS " + std::to_string(n));
        }
        const bool kept = block_sets < sets_kept;
        if (table && (block_sets >= table->sets_in_file ||
                      (kept && table->sets[block_sets] != set))) {
          throw cgats_error(lines.number(), "data block " + std::to_string(blocks + 1) +
                                                " differs from the first");
        }
        ++block_sets;
        if (kept) {
          block.push_back(std::move(set));
          if (id) ids.emplace_back(*id);
        }
      }
      if (!closed) throw cgats_error(lines.number(), "END_DATA is missing");
      if (block_sets == 0) throw cgats_error(begin_line, "the data block holds no values");
      if (table && block_sets != table->sets_in_file) {
        throw cgats_error(lines.number(), "data block " + std::to_string(blocks + 1) +
                                              " differs from the first");
      }
      if (!table) {
        table = spectral_table{*start.value, *end.value, n, std::move(block), block_sets, false,
                               std::move(ids)};
      }
      ++blocks;
    }
    // Every other keyword (DISPLAY, ORIGINATOR, the file type line) is
    // description, not data.
  }
  if (!table) throw cgats_error(lines.number(), "BEGIN_DATA is missing: the file holds no data");
  if (sets.value && count_of(sets, "NUMBER_OF_SETS", max_bands) != table->sets_in_file) {
    throw cgats_error(sets.line, "NUMBER_OF_SETS says " +
                                     std::to_string(count_of(sets, "NUMBER_OF_SETS", max_bands)) +
                                     ", the data block holds " + std::to_string(table->sets_in_file));
  }
  table->has_subnormal = subnormal;
  return *std::move(table);
}

}  // namespace colour
