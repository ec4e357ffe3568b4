// The driver: start-up, then passes in an endless loop until the menu's "q"
// or a declined end-pigment choice ends the program.
#include "dialogue/dialogue.h"

#include <cstdint>
#include <string>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "dialogue/dialogue_texts.h"
#include "dialogue/result_blocks.h"

namespace dialogue {

namespace {

// The state of a run, under the short names of the screen's labels.
struct run_state {
  const colour::model& model;
  double lc = 0;   // working wavelength; after a pair, the longer one
  double l = 0;    // partner wavelength; after a pair, the shorter one
  double k = 0;    // correction amount of the last menu step
  std::string key;
  std::int32_t choice = 0;  // end pigment: 1 short-end, 2 long-end; asked once
};

// The sum in the run's extended arithmetic, stored as a double.
double corrected(double k, double base) {
  return static_cast<double>(static_cast<long double>(k) + static_cast<long double>(base));
}

// The pass's hue-equal wavelengths are those of the middle pigment, or of
// the end pigment the user chooses.
void run_pass(textio::services& io, result_blocks& out, run_state& s) {
  const colour::pass_result pass = colour::compute_pass(s.lc, s.l, s.model);
  if (pass.middle_path) {
    s.l = pass.l;
    s.lc = pass.lc;
    out.limit_lines(s.l, s.lc, true);
    out.middle_pigment(pass.first);
    out.middle_gap_pigment(pass.second);
    out.hue_equal(pass.hue_equal_first);
    return;
  }
  out.limit_lines(s.l, s.lc, false);
  out.short_end_pigment(pass.first);
  out.long_end_pigment(pass.second);
  if (s.choice != 1 && s.choice != 2) {
    out.choice_prompt();
    s.choice = io.input_integer("", true, true);
  }
  if (s.choice == 1) {
    out.hue_equal(pass.hue_equal_first);
  } else if (s.choice == 2) {
    out.hue_equal(pass.hue_equal_second);
  } else {
    io.end_program(0);  // declined: no pause, no menu
  }
}

// Pause, menu and correction. Returns only when the next pass is to run.
void run_menu(textio::services& io, result_blocks& out, run_state& s) {
  s.key = io.read_key();  // the pause: any key, its value unused
  io.clear_screen();
  out.menu();
  s.key = io.read_key();
  if (s.key == "q" || s.key == "Q") {
    io.wait_for_key_press();
    io.end_program(0);
  }
  io.print_line_end(textio::target::screen);
  s.k = io.input_number(texts::correction_prompt, false, true);
  if (s.key == "1") {
    s.lc = corrected(s.k, s.l);
  } else if (s.key == "2") {
    s.lc = corrected(s.k, s.lc);
  }
}

}  // namespace

int run_dialogue(textio::services& io, const colour::model& m) {
  // The corrections' sums are extended too: the whole run keeps the model's arithmetic.
  const colour::exact_arithmetic arithmetic;
  try {
    io.start_services();
    io.open_text_screen();
    io.open_report_file("vollfarb.txt", 1);  // status deliberately unused
    io.clear_screen();
    run_state state{m, 0, 0, 0, {}, 0};
    result_blocks out(io);
    out.title();
    state.lc = io.input_number("", true, true);
    for (;;) {
      run_pass(io, out, state);
      run_menu(io, out, state);
    }
  } catch (const textio::program_ended& ended) {
    return ended.status;
  }
}

}  // namespace dialogue
