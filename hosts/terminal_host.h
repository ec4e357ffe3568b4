// The host for a character terminal: the 80x30 cell model painted full
// screen with ncursesw, keys read from the terminal and turned into code
// page 437 bytes or 255 + scan code. A smaller terminal shows the part of
// the screen around the cursor and a notice on its last row.
#pragma once

#include <chrono>
#include <cstdint>
#include <cwchar>
#include <optional>
#include <string>

#include "hosts/host_interface.h"
#include "hosts/end_signal_watch.h"
#include "hosts/terminal_viewport.h"

namespace hosts {

class terminal_host final : public host {
 public:
  // Catches the end signals from here on; the terminal is taken over later.
  terminal_host();
  ~terminal_host() override;
  terminal_host(const terminal_host&) = delete;
  terminal_host& operator=(const terminal_host&) = delete;

  // Takes over the terminal on stdin/stdout; false when it cannot be driven
  // (unknown terminal type, or one that cannot address the cursor such as
  // TERM=dumb), and then nothing has changed on it.
  bool start();

  void open(const screen& cells) override;
  // Blocks in poll() without a timeout until at least one key is queued (the
  // dialogue's polling interval is not needed: nothing but a key, a resize
  // or a signal can change what it waits for). Returns 128 + n on signal n,
  // and 129 (as for SIGHUP) when the terminal is gone: POLLHUP, an error,
  // or end of input.
  std::optional<int> wait_for_keys(key_queue& keys, std::chrono::milliseconds timeout) override;
  // Repaints when the cells changed (or the window was resized).
  void paint(const screen& cells) override;
  void beep() override;
  // Gives the terminal back as it was.
  void close() override;

 private:
  // Whether any key went into the queue; `read_anything` is set when ncurses
  // returned anything at all (also a resize or a key without a code).
  bool take_keys(key_queue& keys, bool& read_anything);
  void repaint();
  void show_notice(const viewport& view);

  end_signal_watch signals_;
  const screen* shown_ = nullptr;
  std::optional<std::uint64_t> painted_revision_;
  std::optional<viewport> painted_view_;  // the part of the screen last painted
  bool started_ = false;
  bool closed_ = false;
  int ctrl_left_ = 0;       // the terminal's key codes for Ctrl+Left/Right
  int ctrl_right_ = 0;
};

// The terminal host's key handling, apart so that a fuzzer can drive it
// through ncurses without a terminal.
struct terminal_key_codes {
  int ctrl_left = 0;  // the key codes ncurses gives Ctrl+Left/Right (0: none)
  int ctrl_right = 0;
};
// Teaches the current ncurses screen the key sequences terminals commonly
// send beside those their description names: Home and End as ESC [ 1 ~,
// ESC [ 7 ~, ESC [ H, ESC O H and ESC [ 4 ~, ESC [ 8 ~, ESC [ F, ESC O F;
// Ctrl+Left/Right as ESC [ 1 ; 5 D and ESC [ 1 ; 5 C.
terminal_key_codes learn_key_sequences();
// One result of ncurses' get_wch() (status OK or KEY_CODE_YES) as a key
// code; nothing for keys the dialogue has no code for.
std::optional<key_code> key_of_terminal_input(int status, wint_t typed,
                                              const terminal_key_codes& codes);

}  // namespace hosts
