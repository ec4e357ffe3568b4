// Any text through the number conversions: no crash, no undefined behaviour,
// and on texts made only of decimal-form characters the same double as the
// C library's strtod (which then cannot wander into inf, nan or hex forms).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "textio/number_conversion.h"
#include "textio/number_text.h"
#include "textio/numeric_item.h"

namespace {

bool decimal_alphabet_only(std::string_view text) {
  for (const char c : text) {
    if (std::strchr("0123456789.eE+-", c) == nullptr || c == '\0') return false;
  }
  return !text.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  const double value = textio::number_from_text(text);
  (void)textio::integer_from_text(text, textio::integer_width::bits32);
  const std::int64_t wide = textio::integer_from_text(text, textio::integer_width::bits64);
  (void)wide;
  (void)textio::number_of_item(text);
  (void)textio::integer_of_item(text);
  if (std::isnan(value)) std::abort();  // no text may give NaN

  const std::int64_t narrow = textio::integer_from_text(text, textio::integer_width::bits32);
  if (narrow < INT32_MIN || narrow > INT32_MAX) std::abort();

  if (decimal_alphabet_only(text)) {
    const double expected = std::strtod(text.c_str(), nullptr);
    if (std::memcmp(&expected, &value, sizeof value) != 0) std::abort();
  }

  if (size >= sizeof(double)) {
    double bits = 0;
    std::memcpy(&bits, data, sizeof bits);
    if (textio::number_text(bits).size() > textio::longest_number_text) std::abort();
  }
  return 0;
}
