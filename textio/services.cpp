// The service layer between the dialogue and a host: printing to the screen
// model or the report file, line entry, single keys and the end of the run.
#include "textio/services.h"

#include <cfenv>
#include <utility>

#include "textio/line_editor.h"
#include "textio/number_text.h"
#include "textio/numeric_item.h"
#include "textio/report_file.h"

namespace textio {

namespace {
constexpr std::chrono::milliseconds key_poll{25};
constexpr std::chrono::milliseconds key_press_poll{50};
constexpr std::string_view line_end_bytes = "\r\n";
constexpr int highest_file_number = 255;
}  // namespace

services::services(host& h) : host_(h), keys_(own_keys_) {}

services::services(host& h, key_queue& shared_keys) : host_(h), keys_(shared_keys) {}

// A run that leaves by an exception other than program_ended still gets its
// report file written out, by the report file's own destructor.
services::~services() = default;

// The extended precision of the calculation is the colour model's own
// business (colour::exact_arithmetic, held by the dialogue for its run).
void services::start_services() { std::fesetround(FE_TONEAREST); }

void services::open_text_screen() { host_.open(screen_); }

int services::open_report_file(std::string_view name, int file_number) {
  if (file_number < 1 || file_number > highest_file_number) return 1;
  if (report_ && report_->is_open()) return 1;
  report_ = std::make_unique<report_file>(std::string(name));
  return report_->is_open() ? 0 : 2;
}

void services::clear_screen() {
  paint();
  screen_.clear();
}

void services::paint() {
  host_.paint(screen_);
  painted_revision_ = screen_.revision();
}

void services::write_to_screen(std::string_view bytes) {
  // A transcript host can only write rows it has seen: on the bottom row,
  // where the next line end scrolls, paint what is new before it can leave
  // the top unseen.
  if (screen_.cursor_row() == screen::rows && screen_.revision() != painted_revision_) paint();
  for (int bells = screen_.write(bytes); bells > 0; --bells) host_.beep();
}

void services::print_text(target to, std::string_view cp437_text, ending end) {
  if (to == target::screen) {
    write_to_screen(cp437_text);
  } else if (to == target::report_file) {
    if (report_) report_->write(cp437_text);
  }
  if (end == ending::line_end) print_line_end(to);
}

void services::print_line_end(target to) {
  if (to == target::screen) {
    write_to_screen(line_end_bytes);
  } else if (to == target::report_file && report_) {
    report_->write(line_end_bytes);
  }
}

void services::print_number(target to, double value, ending end) {
  print_text(to, number_text(value), end);
}

std::string services::edit_line() {
  screen_.show_cursor(true);
  line_editor editor(screen_);
  for (;;) {
    const line_editor::outcome result = editor.apply(next_key());
    if (result == line_editor::outcome::finished) break;
    if (result == line_editor::outcome::beep) host_.beep();
  }
  editor.move_to_end();
  screen_.show_cursor(false);
  return editor.text();
}

// Prompt, "? ", the edited line and the line end: the entered text.
std::string services::enter_line(std::string_view prompt, bool with_question_mark,
                                 bool with_line_end) {
  write_to_screen(prompt);
  if (with_question_mark) write_to_screen("? ");
  std::string line = edit_line();
  if (with_line_end) write_to_screen(line_end_bytes);
  return line;
}

double services::input_number(std::string_view prompt, bool with_question_mark,
                              bool with_line_end) {
  return number_of_item(enter_line(prompt, with_question_mark, with_line_end));
}

std::int32_t services::input_integer(std::string_view prompt, bool with_question_mark,
                                     bool with_line_end) {
  return integer_of_item(enter_line(prompt, with_question_mark, with_line_end));
}

std::string services::read_key() {
  if (carried_byte_) {
    const char byte = static_cast<char>(*carried_byte_);
    carried_byte_.reset();
    return std::string(1, byte);
  }
  const key_code key = next_key();
  if (key.two_bytes) carried_byte_ = key.second;
  return std::string(1, static_cast<char>(key.first));
}

void services::wait_for_key_press() {
  // Test and clear in one step: a key pressed in between is not lost.
  if (keys_.test_and_clear_key_pressed()) return;
  paint();
  do {
    wait_for_host(key_press_poll);
  } while (!keys_.test_and_clear_key_pressed());
}

void services::end_program(int status) {
  if (!ended_) {
    ended_ = true;
    if (report_) report_->close();
    keys_.clear();
    paint();
    host_.close();
  }
  throw program_ended{status};
}

std::optional<std::string> services::report_file_problem() const {
  if (!report_) return std::nullopt;
  return report_->problem();
}

key_code services::next_key() {
  if (auto key = keys_.take()) return *key;
  paint();
  for (;;) {
    wait_for_host(key_poll);
    if (auto key = keys_.take()) return *key;
  }
}

void services::wait_for_host(std::chrono::milliseconds timeout) {
  if (const std::optional<int> status = host_.wait_for_keys(keys_, timeout)) end_program(*status);
}

}  // namespace textio
