// Any bytes typed at the terminal host, through ncurses as the host sets it
// up (TERM=xterm-256color, keypad, the extra Home/End and Ctrl+arrow
// sequences) and its key translation: every key is a well-formed key code,
// and the Home and End sequences terminals send arrive as Home and End.
// The input comes through a pipe; there is no terminal.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#define NCURSES_WIDECHAR 1
#include <curses.h>

#include "hosts/terminal_host.h"

namespace {

// A fresh ncurses screen for every input: keys half-read at the end of one
// input (a cut escape sequence or UTF-8 character) must not run into the next.
class terminal_on_pipe {
 public:
  terminal_on_pipe() {
    int fds[2];
    if (::pipe(fds) != 0) std::abort();
    typing_end_ = fds[1];
    keyboard_ = ::fdopen(fds[0], "r");
    display_ = std::fopen("/dev/null", "w");
    if (keyboard_ == nullptr || display_ == nullptr) std::abort();
    screen_ = newterm("xterm-256color", display_, keyboard_);
    if (screen_ == nullptr) std::abort();
    keypad(stdscr, TRUE);
    nodelay(stdscr, TRUE);
    set_escdelay(0);  // the whole input is in the pipe already
    codes_ = hosts::learn_key_sequences();
  }
  ~terminal_on_pipe() {
    endwin();
    delscreen(screen_);
    std::fclose(keyboard_);
    std::fclose(display_);
    ::close(typing_end_);
  }
  terminal_on_pipe(const terminal_on_pipe&) = delete;
  terminal_on_pipe& operator=(const terminal_on_pipe&) = delete;

  std::vector<textio::key_code> keys_of(std::string_view typed);

 private:
  int typing_end_ = -1;
  std::FILE* keyboard_ = nullptr;
  std::FILE* display_ = nullptr;
  SCREEN* screen_ = nullptr;
  hosts::terminal_key_codes codes_;
};

bool well_formed(const textio::key_code& key) {
  if (!key.two_bytes) return key.first != 0;
  constexpr unsigned char scan_codes[] = {72, 80, 75, 77, 71, 79, 73, 81, 82, 83, 59, 60, 61,
                                          62, 63, 64, 65, 66, 67, 68, 133, 134, 115, 116};
  return key.first == 255 &&
         std::find(std::begin(scan_codes), std::end(scan_codes), key.second) != std::end(scan_codes);
}

std::vector<textio::key_code> terminal_on_pipe::keys_of(std::string_view typed) {
  if (::write(typing_end_, typed.data(), typed.size()) != static_cast<ssize_t>(typed.size())) {
    std::abort();
  }
  std::vector<textio::key_code> keys;
  wint_t code = 0;
  for (int status = get_wch(&code); status != ERR; status = get_wch(&code)) {
    if (const auto key = hosts::key_of_terminal_input(status, code, codes_)) {
      if (!well_formed(*key)) std::abort();
      keys.push_back(*key);
    }
  }
  return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;  // the pipe holds it whole
  const std::string_view typed(reinterpret_cast<const char*>(data), size);
  const std::vector<textio::key_code> keys = terminal_on_pipe().keys_of(typed);

  // The Home and End sequences, alone, are exactly those keys.
  for (const char* home : {"\x1b[1~", "\x1b[7~", "\x1b[H", "\x1bOH"}) {
    if (typed == home && keys != std::vector{textio::key_code::special(textio::scan::home)}) std::abort();
  }
  for (const char* end : {"\x1b[4~", "\x1b[8~", "\x1b[F", "\x1bOF"}) {
    if (typed == end && keys != std::vector{textio::key_code::special(textio::scan::end)}) std::abort();
  }
  // Plain printable ASCII is typed as it is.
  const bool plain = std::all_of(typed.begin(), typed.end(), [](char c) { return c >= 32 && c < 127; });
  if (plain && keys.size() != typed.size()) std::abort();
  return 0;
}
