#include "diagram/rich_text.h"

#include <cstdint>

namespace diagram {
namespace {

// Advances in thousandths of an em, measured with cairo at 1000 px:
// DejaVu Sans (book) and DejaVu Serif Italic; indices are ASCII 32..126.
constexpr std::uint16_t sans_ascii[95] = {
    318, 401, 460, 838, 636, 950, 780, 275, 390, 390, 500, 838, 318, 361, 318, 337,  // ' '../
    636, 636, 636, 636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 531,  // 0..?
    1000, 684, 686, 698, 770, 632, 575, 775, 752, 295, 295, 656, 557, 863, 748, 787,  // @..O
    603, 787, 695, 635, 611, 732, 684, 989, 685, 611, 685, 390, 337, 390, 838, 500,   // P.._
    500, 613, 635, 550, 635, 615, 352, 635, 634, 278, 278, 579, 278, 974, 634, 612,   // `..o
    635, 635, 411, 521, 392, 634, 592, 818, 592, 592, 525, 636, 337, 636, 838};       // p..~
constexpr std::uint16_t serif_italic_ascii[95] = {
    318, 402, 460, 838, 636, 950, 890, 275, 390, 390, 500, 838, 318, 338, 318, 337,
    636, 636, 636, 636, 636, 636, 636, 636, 636, 636, 337, 337, 838, 838, 838, 536,
    1000, 722, 735, 765, 802, 730, 694, 799, 872, 395, 401, 747, 664, 1024, 875, 820,
    673, 820, 753, 685, 667, 843, 722, 1028, 712, 660, 695, 390, 337, 390, 838, 500,
    500, 596, 640, 560, 640, 592, 370, 640, 644, 320, 310, 606, 320, 948, 644, 602,
    640, 640, 478, 513, 402, 644, 565, 856, 564, 565, 527, 636, 337, 636, 838};

double char_advance(char32_t c, run_style style) {
  const auto& table = style == run_style::variable ? serif_italic_ascii : sans_ascii;
  if (c >= 32 && c <= 126) return table[c - 32] / 1000.0;
  switch (c) {
    case U'\u2212': return 0.838;  // minus sign
    case U'\u2013': return 0.500;  // en dash
    case U'\u2014': return 1.000;  // em dash
    case U'\u03bb': return style == run_style::variable ? 0.634 : 0.592;  // lambda
    case U'\u00b7': return 0.318;  // middle dot
    default: return 1.0;
  }
}

// Decodes UTF-8 well enough for our own label texts; a stray byte counts as
// one character.
template <typename Visit>
void each_code_point(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + static_cast<std::size_t>(length) > text.size()) length = 1;
    char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
    }
    visit(c);
    i += static_cast<std::size_t>(length);
  }
}

}  // namespace

double advance_em(std::string_view text, run_style style) {
  double em = 0;
  each_code_point(text, [&](char32_t c) { em += char_advance(c, style); });
  return em;
}

rich_text& rich_text::add(std::string_view text, run_style style) {
  if (text.empty()) return *this;
  if (!runs_.empty() && runs_.back().style == style) {
    runs_.back().text += text;
  } else {
    runs_.push_back({std::string(text), style});
  }
  return *this;
}

rich_text& rich_text::plain(std::string_view text) { return add(text, run_style::plain); }
rich_text& rich_text::var(std::string_view text) { return add(text, run_style::variable); }
rich_text& rich_text::sub(std::string_view text) { return add(text, run_style::subscript); }

rich_text& rich_text::append(const rich_text& other) {
  for (const auto& run : other.runs_) add(run.text, run.style);
  return *this;
}

std::string rich_text::plain_text() const {
  std::string text;
  for (const auto& run : runs_) text += run.text;
  return text;
}

double rich_text::width(double font_size) const {
  double width = 0;
  for (const auto& run : runs_) {
    const double size = run.style == run_style::subscript ? font_size * subscript_scale : font_size;
    width += advance_em(run.text, run.style) * size;
  }
  return width;
}

}  // namespace diagram
