// Wording, order and destination of every line. The report file carries the
// results only (no colour moments, prompts or blank lines); each of its
// blocks ends with the closing line, a lone CR followed by CR LF.
#include "dialogue/result_blocks.h"

#include "dialogue/dialogue_texts.h"

namespace dialogue {

namespace {
constexpr auto screen = textio::target::screen;
constexpr auto report = textio::target::report_file;
}  // namespace

void result_blocks::labelled(textio::target to, std::string_view label, double value) {
  io_.print_text(to, label, textio::ending::none);
  io_.print_number(to, value, textio::ending::line_end);
}

void result_blocks::line(textio::target to, std::string_view text) {
  io_.print_text(to, text, textio::ending::line_end);
}

void result_blocks::blank_line() { io_.print_line_end(screen); }

void result_blocks::closing_line() { line(report, texts::closing_line); }

void result_blocks::title() {
  line(screen, texts::title);
  line(screen, texts::title_rule);
  blank_line();
  line(screen, texts::range_line);
  blank_line();
  io_.print_text(screen, texts::limit_prompt, textio::ending::none);
}

void result_blocks::limit_lines(double l, double lc, bool middle_path) {
  if (middle_path) {
    blank_line();
    blank_line();
  }
  labelled(screen, texts::limit_line, l);
  labelled(screen, texts::compensative_line, lc);

  io_.print_text(report, middle_path ? texts::record_l_middle : texts::record_l_end,
                 textio::ending::none);
  io_.print_number(report, l, textio::ending::none);
  labelled(report, texts::record_lc, lc);
  closing_line();
}

// Labels of one pigment's lines; blocks differ only in their indentation.
struct result_blocks::pigment_labels {
  std::string_view X, Y, Z;
  std::string_view shares, x, y;
};

void result_blocks::tristimulus_lines(textio::target to, const pigment_labels& labels,
                                      const colour::pigment& p) {
  labelled(to, labels.X, p.t.X);
  labelled(to, labels.Y, p.t.Y);
  labelled(to, labels.Z, p.t.Z);
}

void result_blocks::chromaticity_lines(textio::target to, const pigment_labels& labels,
                                       const colour::pigment& p) {
  line(to, labels.shares);
  labelled(to, labels.x, p.xy.x);
  labelled(to, labels.y, p.xy.y);
}

void result_blocks::middle_pigment(const colour::pigment& p) {
  constexpr pigment_labels labels{texts::middle_X, texts::middle_Y, texts::middle_Z,
                                  texts::shares_3, texts::middle_x, texts::middle_y};
  blank_line();
  blank_line();
  tristimulus_lines(screen, labels, p);
  blank_line();
  labelled(screen, texts::moment_3, p.moment);
  chromaticity_lines(screen, labels, p);

  tristimulus_lines(report, labels, p);
  chromaticity_lines(report, labels, p);
  closing_line();
}

// Here the colour moment comes last on the screen, after the chromaticity.
void result_blocks::middle_gap_pigment(const colour::pigment& p) {
  constexpr pigment_labels labels{texts::gap_X,    texts::gap_Y, texts::gap_Z,
                                  texts::shares_3, texts::gap_x, texts::gap_y};
  blank_line();
  blank_line();
  tristimulus_lines(screen, labels, p);
  chromaticity_lines(screen, labels, p);
  labelled(screen, texts::moment_3, p.moment);

  tristimulus_lines(report, labels, p);
  chromaticity_lines(report, labels, p);
  closing_line();
}

// Screen and report lines interleave here, and the screen shows the colour
// moment twice; the report's chromaticity lines are indented one less.
void result_blocks::short_end_pigment(const colour::pigment& p) {
  constexpr pigment_labels on_screen{texts::short_X,  texts::end_Y,        texts::end_Z,
                                     texts::shares_4, texts::end_x_screen, texts::end_y_screen};
  constexpr pigment_labels in_report{texts::short_X,  texts::end_Y,          texts::end_Z,
                                     texts::shares_3, texts::short_x_report, texts::short_y_report};
  blank_line();
  blank_line();
  tristimulus_lines(screen, on_screen, p);
  labelled(screen, texts::moment_4, p.moment);
  chromaticity_lines(screen, on_screen, p);
  tristimulus_lines(report, in_report, p);
  labelled(screen, texts::moment_4, p.moment);
  chromaticity_lines(report, in_report, p);
  closing_line();
}

// The only colour-moment label without a blank after its "=".
void result_blocks::long_end_pigment(const colour::pigment& p) {
  constexpr pigment_labels labels{texts::long_X,   texts::end_Y,        texts::end_Z,
                                  texts::shares_4, texts::end_x_screen, texts::end_y_screen};
  blank_line();
  tristimulus_lines(screen, labels, p);
  labelled(screen, texts::moment_4_tight, p.moment);
  chromaticity_lines(screen, labels, p);

  tristimulus_lines(report, labels, p);
  chromaticity_lines(report, labels, p);
  closing_line();
}

void result_blocks::choice_prompt() {
  blank_line();
  line(screen, texts::choose_short);
  line(screen, texts::choose_long);
}

void result_blocks::hue_equal(const colour::hue_equal_pair& wavelengths) {
  blank_line();
  blank_line();
  labelled(screen, texts::hue_equal_l1, wavelengths.l1);
  labelled(screen, texts::hue_equal_l2, wavelengths.l2);
  labelled(report, texts::hue_equal_l1, wavelengths.l1);
  labelled(report, texts::hue_equal_l2, wavelengths.l2);
  line(report, texts::separator);
  closing_line();
}

void result_blocks::menu() {
  blank_line();
  blank_line();
  line(screen, texts::menu_change_l);
  line(screen, texts::menu_change_lc);
  line(screen, texts::menu_quit);
  blank_line();
}

}  // namespace dialogue
