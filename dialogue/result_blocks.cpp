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

void result_blocks::middle_pigment(const colour::pigment& p) {
  blank_line();
  blank_line();
  labelled(screen, texts::middle_X, p.t.X);
  labelled(screen, texts::middle_Y, p.t.Y);
  labelled(screen, texts::middle_Z, p.t.Z);
  blank_line();
  labelled(screen, texts::moment_3, p.moment);
  line(screen, texts::shares_3);
  labelled(screen, texts::middle_x, p.xy.x);
  labelled(screen, texts::middle_y, p.xy.y);

  labelled(report, texts::middle_X, p.t.X);
  labelled(report, texts::middle_Y, p.t.Y);
  labelled(report, texts::middle_Z, p.t.Z);
  line(report, texts::shares_3);
  labelled(report, texts::middle_x, p.xy.x);
  labelled(report, texts::middle_y, p.xy.y);
  closing_line();
}

void result_blocks::middle_gap_pigment(const colour::pigment& p) {
  blank_line();
  blank_line();
  labelled(screen, texts::gap_X, p.t.X);
  labelled(screen, texts::gap_Y, p.t.Y);
  labelled(screen, texts::gap_Z, p.t.Z);
  line(screen, texts::shares_3);
  labelled(screen, texts::gap_x, p.xy.x);
  labelled(screen, texts::gap_y, p.xy.y);
  labelled(screen, texts::moment_3, p.moment);

  labelled(report, texts::gap_X, p.t.X);
  labelled(report, texts::gap_Y, p.t.Y);
  labelled(report, texts::gap_Z, p.t.Z);
  line(report, texts::shares_3);
  labelled(report, texts::gap_x, p.xy.x);
  labelled(report, texts::gap_y, p.xy.y);
  closing_line();
}

// Screen and report lines interleave here, and the screen shows the colour
// moment twice; the report's chromaticity lines are indented one less.
void result_blocks::short_end_pigment(const colour::pigment& p) {
  blank_line();
  blank_line();
  labelled(screen, texts::short_X, p.t.X);
  labelled(screen, texts::end_Y, p.t.Y);
  labelled(screen, texts::end_Z, p.t.Z);
  labelled(screen, texts::moment_4, p.moment);
  line(screen, texts::shares_4);
  labelled(screen, texts::end_x_screen, p.xy.x);
  labelled(screen, texts::end_y_screen, p.xy.y);
  labelled(report, texts::short_X, p.t.X);
  labelled(report, texts::end_Y, p.t.Y);
  labelled(report, texts::end_Z, p.t.Z);
  labelled(screen, texts::moment_4, p.moment);
  line(report, texts::shares_3);
  labelled(report, texts::short_x_report, p.xy.x);
  labelled(report, texts::short_y_report, p.xy.y);
  closing_line();
}

void result_blocks::long_end_pigment(const colour::pigment& p) {
  blank_line();
  labelled(screen, texts::long_X, p.t.X);
  labelled(screen, texts::end_Y, p.t.Y);
  labelled(screen, texts::end_Z, p.t.Z);
  labelled(screen, texts::moment_4_tight, p.moment);
  line(screen, texts::shares_4);
  labelled(screen, texts::end_x_screen, p.xy.x);
  labelled(screen, texts::end_y_screen, p.xy.y);

  labelled(report, texts::long_X, p.t.X);
  labelled(report, texts::end_Y, p.t.Y);
  labelled(report, texts::end_Z, p.t.Z);
  line(report, texts::shares_4);
  labelled(report, texts::end_x_screen, p.xy.x);
  labelled(report, texts::end_y_screen, p.xy.y);
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
