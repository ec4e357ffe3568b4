// One line of label text as runs in the figure's typography: upright sans
// serif for words and numbers, italic serif for variables (l, x, y, λ, as
// in the literature) and smaller subscripts (the c of lc, the 1 of l1).
// Widths come from the advances of DejaVu Sans and DejaVu Serif Italic, the
// fonts the SVG asks for, so that labels can be kept apart before drawing.
//   rich_text().var("l").sub("c").plain(" = 600")  reads  l_c = 600
//   width at 10 px: 3.20 + 3.85 + 44.54 = 51.59 px
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace diagram {

enum class run_style { plain, variable, subscript };

struct text_run {
  std::string text;  // UTF-8
  run_style style;
};

// Subscripts are set at this share of the font size, this far (in font
// sizes) below the baseline.
inline constexpr double subscript_scale = 0.7;
inline constexpr double subscript_drop = 0.25;

class rich_text {
 public:
  rich_text() = default;
  rich_text(std::string_view plain_text) { plain(plain_text); }  // NOLINT: words are text

  rich_text& plain(std::string_view text);
  rich_text& var(std::string_view text);
  rich_text& sub(std::string_view text);
  rich_text& append(const rich_text& other);

  const std::vector<text_run>& runs() const { return runs_; }
  std::string plain_text() const;  // the runs' characters without styles
  double width(double font_size) const;

 private:
  rich_text& add(std::string_view text, run_style style);
  std::vector<text_run> runs_;
};

// Advance of UTF-8 `text` in DejaVu Sans (or, for `variable`, DejaVu Serif
// Italic) at a font size of 1; characters outside the table count 1 em.
double advance_em(std::string_view text, run_style style);

// Height of a text line above and below the baseline, in font sizes
// (DejaVu's ascent and descent).
inline constexpr double ascent_em = 0.929;
inline constexpr double descent_em = 0.236;

}  // namespace diagram
