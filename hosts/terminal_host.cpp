#include "hosts/terminal_host.h"

#include <langinfo.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <clocale>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <cwchar>

#define NCURSES_WIDECHAR 1
#include <curses.h>

#include "textio/cp437.h"
#include "hosts/terminal_viewport.h"
#include "textio/key_translation.h"

namespace hosts {

namespace {

bool same_place(const viewport& a, const viewport& b) {
  return a.first_row == b.first_row && a.first_column == b.first_column &&
         a.shown_rows == b.shown_rows && a.shown_columns == b.shown_columns && a.top == b.top &&
         a.left == b.left && a.notice_row == b.notice_row;
}

// A terminal that is gone ends the program as a hang-up signal would.
constexpr int hang_up_status = 128 + SIGHUP;

// ncursesw needs a UTF-8 character type to read and paint the glyphs; only
// LC_CTYPE is touched, so that number texts keep their decimal point.
void choose_utf8_character_type() {
  std::setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

// ncurses accepts a terminal without cursor addressing (TERM=dumb: Emacs'
// shell, CI logs) but can only pile the screen onto one line there.
bool terminal_addresses_cursor() {
  const char* cursor_address = tigetstr("cup");
  return cursor_address != nullptr && cursor_address != reinterpret_cast<char*>(-1);
}

int key_code_of_capability(const char* name) {
  const char* sequence = tigetstr(name);
  if (sequence == nullptr || sequence == reinterpret_cast<char*>(-1)) return 0;
  const int code = key_defined(sequence);
  return code > 0 ? code : 0;
}

// Ctrl+Left/Right as the terminal describes them, or else as xterm and tmux
// send them (CSI 1;5 D / C), bound to a key code ncurses does not use yet.
int ctrl_arrow_code(const char* capability, const char* xterm_sequence) {
  if (const int code = key_code_of_capability(capability)) return code;
  if (const int code = key_defined(xterm_sequence); code > 0) return code;
  for (int code = KEY_MAX + 1; code < KEY_MAX + 1024; ++code) {
    if (char* bound = keybound(code, 0)) {  // allocated for the caller
      std::free(bound);
      continue;
    }
    return define_key(xterm_sequence, code) == OK ? code : 0;
  }
  return 0;
}

// Home and End as terminals commonly send them, whatever the terminal
// description names: tmux sends ESC [ 1 ~ and ESC [ 4 ~ even where TERM says
// xterm-256color (ESC O H). Each is bound unless it already means that key.
void learn_home_and_end_variants() {
  struct variant {
    const char* sequence;
    int code;
  };
  constexpr variant variants[] = {
      {"\x1b[1~", KEY_HOME}, {"\x1b[7~", KEY_HOME}, {"\x1b[H", KEY_HOME}, {"\x1bOH", KEY_HOME},
      {"\x1b[4~", KEY_END},  {"\x1b[8~", KEY_END},  {"\x1b[F", KEY_END},  {"\x1bOF", KEY_END},
  };
  for (const variant& v : variants) {
    if (key_defined(v.sequence) != v.code) define_key(v.sequence, v.code);
  }
}

std::optional<textio::named_key> named_key_of(int code) {
  using textio::named_key;
  switch (code) {
    case KEY_UP: return named_key::up;
    case KEY_DOWN: return named_key::down;
    case KEY_LEFT: return named_key::left;
    case KEY_RIGHT: return named_key::right;
    case KEY_HOME: return named_key::home;
    case KEY_END: return named_key::end;
    case KEY_PPAGE: return named_key::page_up;
    case KEY_NPAGE: return named_key::page_down;
    case KEY_IC: return named_key::insert;
    case KEY_DC: return named_key::del;
    case KEY_BACKSPACE: return named_key::backspace;
    case KEY_ENTER: return named_key::enter;
    default: break;
  }
  if (code >= KEY_F(1) && code <= KEY_F(12)) {
    return static_cast<named_key>(static_cast<int>(named_key::f1) + (code - KEY_F(1)));
  }
  return std::nullopt;
}

std::optional<key_code> special_key(int code, int ctrl_left, int ctrl_right) {
  if (const auto named = named_key_of(code)) return textio::key_of_named_key(*named, {});
  if (code != 0 && code == ctrl_left) return textio::key_of_named_key(textio::named_key::left, {.ctrl = true});
  if (code != 0 && code == ctrl_right) return textio::key_of_named_key(textio::named_key::right, {.ctrl = true});
  return std::nullopt;
}

std::optional<key_code> character_key(wint_t typed) {
  return textio::key_of_character(static_cast<char32_t>(typed));
}

wchar_t glyph_of(unsigned char byte) {
  if (byte == 0) return L' ';
  const auto wide = static_cast<wchar_t>(textio::cp437_to_unicode(byte));
  return ::wcwidth(wide) == 1 ? wide : L'?';
}

}  // namespace

terminal_key_codes learn_key_sequences() {
  learn_home_and_end_variants();
  return {ctrl_arrow_code("kLFT5", "\x1b[1;5D"), ctrl_arrow_code("kRIT5", "\x1b[1;5C")};
}

std::optional<key_code> key_of_terminal_input(int status, wint_t typed,
                                              const terminal_key_codes& codes) {
  return status == KEY_CODE_YES ? special_key(static_cast<int>(typed), codes.ctrl_left, codes.ctrl_right)
                                : character_key(typed);
}

terminal_host::terminal_host() = default;

terminal_host::~terminal_host() { close(); }

bool terminal_host::start() {
  if (started_) return true;
  choose_utf8_character_type();
  SCREEN* const terminal = newterm(nullptr, stdout, stdin);
  if (terminal == nullptr) return false;
  if (!terminal_addresses_cursor()) {
    endwin();
    delscreen(terminal);
    return false;
  }
  started_ = true;
  cbreak();  // not raw: Ctrl+C and Ctrl+Z still raise their signals
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  nodelay(stdscr, TRUE);
  set_escdelay(10);  // a lone Escape acts at once
  const terminal_key_codes codes = learn_key_sequences();
  ctrl_left_ = codes.ctrl_left;
  ctrl_right_ = codes.ctrl_right;
  return true;
}

void terminal_host::open(const screen& cells) {
  start();
  shown_ = &cells;
}

void terminal_host::show_notice(const viewport& view) {
  if (view.notice_row < 0) return;
  const std::string notice = terminal_size_notice(COLS, LINES);
  attron(A_REVERSE);
  mvaddnstr(view.notice_row, 0, notice.c_str(), COLS);
  for (int column = static_cast<int>(notice.size()); column < COLS - 1; ++column) addch(' ');
  attroff(A_REVERSE);
}

void terminal_host::repaint() {
  if (!started_ || closed_ || shown_ == nullptr) return;
  const screen& cells = *shown_;
  const viewport view = place_viewport(COLS, LINES, cells.cursor_row(), cells.cursor_column());
  // First paint, after a resize, or when the part shown has moved.
  if (!painted_revision_ || !painted_view_ || !same_place(*painted_view_, view)) erase();
  for (int row = 0; row < view.shown_rows; ++row) {
    for (int column = 0; column < view.shown_columns; ++column) {
      const wchar_t text[2] = {
          glyph_of(cells.cell(view.first_row + row, view.first_column + column)), L'\0'};
      cchar_t glyph;
      setcchar(&glyph, text, A_NORMAL, 0, nullptr);
      // The bottom-right cell of a window exactly 80x30 reports an error
      // because the cursor cannot advance; the glyph is drawn all the same.
      mvadd_wch(view.top + row, view.left + column, &glyph);
    }
  }
  show_notice(view);
  const bool cursor_shown = view.shown_rows > 0 && view.shown_columns > 0;
  if (cursor_shown) {
    move(view.top + cells.cursor_row() - view.first_row,
         view.left + cells.cursor_column() - view.first_column);
  }
  curs_set(cells.cursor_visible() && cursor_shown ? 1 : 0);
  refresh();
  painted_revision_ = cells.revision();
  painted_view_ = view;
}

void terminal_host::paint(const screen& cells) {
  shown_ = &cells;
  if (painted_revision_ && *painted_revision_ == cells.revision()) return;
  repaint();
}

bool terminal_host::take_keys(key_queue& keys, bool& read_anything) {
  bool delivered = false;
  wint_t typed = 0;
  for (;;) {
    const int status = get_wch(&typed);
    if (status == ERR) return delivered;
    read_anything = true;
    if (status == KEY_CODE_YES && typed == KEY_RESIZE) {
      painted_revision_.reset();
      repaint();
      continue;
    }
    const auto key = key_of_terminal_input(status, typed, {ctrl_left_, ctrl_right_});
    if (!key) continue;
    keys.push(*key);
    delivered = true;
  }
}

std::optional<int> terminal_host::wait_for_keys(key_queue& keys, std::chrono::milliseconds) {
  // Blocks until a key arrives, with no timeout: an idle program never wakes
  // up. A resize or a stop and continue interrupt the poll and are handled
  // by ncurses in take_keys; the end signals make the watch's pipe readable.
  bool terminal_was_readable = false;
  int empty_reads = 0;  // readable terminal, yet nothing read, in a row
  for (;;) {
    if (const auto n = signals_.caught()) return 128 + *n;
    if (!started_ || closed_) return std::nullopt;
    bool read_anything = false;
    if (take_keys(keys, read_anything)) return std::nullopt;
    // Readable, yet ncurses got nothing from it twice running: the terminal
    // is at end of input (it went away without a hang-up signal).
    if (read_anything || !terminal_was_readable) {
      empty_reads = 0;
    } else if (++empty_reads >= 2) {
      return hang_up_status;
    }
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, signals_.fd() >= 0 ? 2 : 1, -1);
    if (ready < 0 && errno != EINTR && errno != EAGAIN) return hang_up_status;
    if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return hang_up_status;
    terminal_was_readable = ready > 0 && (fds[0].revents & POLLIN) != 0;
  }
}

void terminal_host::beep() {
  if (started_ && !closed_) ::beep();
}

void terminal_host::close() {
  if (!started_ || closed_) return;
  closed_ = true;
  curs_set(1);
  endwin();
  std::fflush(stdout);
}

}  // namespace hosts
