// The services the dialogue uses: text screen, report file, number text,
// line entry, single keys and the end of the program. The dialogue talks only
// to this class; a host (terminal, pipe, memory) is plugged in underneath.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "textio/host.h"
#include "textio/keys.h"
#include "textio/screen.h"

namespace textio {

enum class target : int { screen = 0, report_file = 1 };
enum class ending { none, line_end };  // line_end writes CR LF

// Thrown by end_program after the report file is complete and the host
// closed; the program's entry catches it and exits with `status`.
struct program_ended {
  int status;
};

class report_file;  // buffered byte sink, see report_file.h

class services {
 public:
  explicit services(host& h);
  // Keys come through `shared_keys`, which a host fills from a thread of its
  // own (a window's event thread); it must outlive the services.
  services(host& h, key_queue& shared_keys);
  ~services();
  services(const services&) = delete;
  services& operator=(const services&) = delete;

  // Round to nearest for the whole run.
  void start_services();
  void open_text_screen();
  // 0 opened; 1 file number not 1..255 or already open; 2 cannot be created.
  int open_report_file(std::string_view name, int file_number);
  void clear_screen();

  void print_text(target to, std::string_view cp437_text, ending end);
  void print_line_end(target to);
  void print_number(target to, double value, ending end);

  double input_number(std::string_view prompt, bool with_question_mark, bool with_line_end);
  std::int32_t input_integer(std::string_view prompt, bool with_question_mark,
                             bool with_line_end);

  // Exactly one byte; a special key's second byte is carried to the next call.
  std::string read_key();
  void wait_for_key_press();

  // Writes out the report file, closes the host and throws program_ended.
  [[noreturn]] void end_program(int status);

  const screen& text_screen() const { return screen_; }

  // Why the report file could not be created or written, if it could not;
  // the program's entry tells the user after the screen is closed.
  std::optional<std::string> report_file_problem() const;

 private:
  std::string enter_line(std::string_view prompt, bool with_question_mark, bool with_line_end);
  std::string edit_line();           // line entry with the editing keys
  key_code next_key();               // waits for the queue, ends on host request
  void wait_for_host(std::chrono::milliseconds timeout);
  void paint();
  void write_to_screen(std::string_view bytes);

  host& host_;
  screen screen_;
  key_queue own_keys_;
  key_queue& keys_;
  std::unique_ptr<report_file> report_;
  std::optional<unsigned char> carried_byte_;
  bool ended_ = false;
  std::uint64_t painted_revision_ = 0;  // screen.revision() at the last paint
};

}  // namespace textio
