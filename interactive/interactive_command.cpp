// The dialogue on the host that fits how the program was started: full
// screen on a terminal, a window of its own on a desktop, or a transcript
// when keys come from a pipe or file.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <thread>
#include <variant>

#include "interactive/interactive_command.h"
#include "cli/printable_text.h"
#include "colour/legacy/legacy_model.h"
#include "dialogue/dialogue.h"
#include "hosts/piped_host.h"
#include "hosts/terminal_host.h"
#include "hosts/unifont_glyphs.h"
#include "hosts/window_session.h"
#include "modules/loadable_module.h"
#include "textio/services.h"

namespace interactive {

namespace {

int run_on(textio::services& io) {
  const int status = dialogue::run_dialogue(io, colour::legacy_model());
  // The program's end has closed the host, so the screen is gone: a lost
  // report must not go unnoticed.
  if (const auto problem = io.report_file_problem()) {
    std::fprintf(stderr, "vollfarbe: %s\n", problem->c_str());
  }
  return status;
}

int run_on(textio::host& host) {
  textio::services io(host);
  return run_on(io);
}

bool display_available() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

// Keys from a pipe, a file or a socket: someone scripts the dialogue. A
// launcher or file manager gives /dev/null (or nothing) instead.
bool stdin_brings_keys() {
  struct stat status {};
  if (::fstat(STDIN_FILENO, &status) != 0) return false;
  return S_ISFIFO(status.st_mode) || S_ISREG(status.st_mode) || S_ISSOCK(status.st_mode);
}

// The window's title: the executable's file name without directory and
// extension.
std::string title_of(const std::string& program_path) {
  const std::string stem = std::filesystem::path(program_path).stem().string();
  return stem.empty() ? "vollfarbe" : stem;
}

int run_in_window(const std::string& program_path) {
  if (!display_available()) {
    std::fprintf(stderr,
                 "vollfarbe: --window needs a graphical display, and neither DISPLAY nor "
                 "WAYLAND_DISPLAY is set\n");
    return 2;
  }
  const char* font_file = std::getenv("VOLLFARBE_FONT");
  const auto glyphs = hosts::read_cp437_glyphs(font_file != nullptr && *font_file != '\0'
                                                   ? font_file
                                                   : hosts::unifont_path);
  if (const auto* problem = std::get_if<std::string>(&glyphs)) {
    std::fprintf(stderr, "vollfarbe: the window's font: %s (install the unifont package)\n",
                 cli::printable_text(*problem).c_str());
    return 2;
  }

  const auto make_window = modules::load_function<decltype(vollfarbe_window_session_v1)>(
      VOLLFARBE_WINDOW_MODULE, hosts::window_session_entry, "the window host");
  if (const auto* problem = std::get_if<std::string>(&make_window)) {
    std::fprintf(stderr, "vollfarbe: %s\n", problem->c_str());
    return 2;
  }

  textio::key_queue keys;  // filled by the window's events, read by the dialogue
  const std::unique_ptr<hosts::window_session> host(
      std::get<0>(make_window)(std::get<hosts::cp437_glyphs>(glyphs), keys));
  if (host == nullptr) {
    std::fprintf(stderr, "vollfarbe: %s\n",
                 modules::null_entry_result(VOLLFARBE_WINDOW_MODULE, hosts::window_session_entry,
                                            "the window host")
                     .c_str());
    return 2;
  }
  hosts::window_session& window = *host;
  if (const auto problem = window.open_window(title_of(program_path))) {
    std::fprintf(stderr, "vollfarbe: %s\n", problem->c_str());
    return 2;
  }
  int status = 1;
  std::exception_ptr failure;
  std::thread dialogue_thread([&] {
    try {
      textio::services io(window, keys);
      status = run_on(io);
    } catch (...) {
      failure = std::current_exception();
    }
    window.finish(status);  // also when the dialogue failed: the event loop must end
  });
  window.run_events();
  dialogue_thread.join();
  if (failure) std::rethrow_exception(failure);
  return status;
}

}  // namespace

int run_interactive(const std::string& program_path, bool window_asked) {
  if (window_asked) return run_in_window(program_path);
  const bool stdin_terminal = ::isatty(STDIN_FILENO);
  const bool stdout_terminal = ::isatty(STDOUT_FILENO);
  // The full screen needs the terminal on both sides; with output redirected
  // the keyboard still works through the transcript host.
  if (stdin_terminal && stdout_terminal) {
    hosts::terminal_host terminal;
    if (terminal.start()) return run_on(terminal);
  }
  // Started from a launcher or file manager: no terminal and no keys on
  // stdin, but a desktop.
  if (!stdin_terminal && !stdout_terminal && !stdin_brings_keys() && display_available()) {
    return run_in_window(program_path);
  }
  hosts::piped_host piped(STDIN_FILENO, stdout);
  const int status = run_on(piped);
  if (const int error = piped.transcript_error()) {
    // As the commands do: a reader that has gone ends the run quietly.
    if (error != EPIPE) {
      std::fprintf(stderr, "vollfarbe: cannot write the output: %s\n", std::strerror(error));
    }
    return status == 0 ? 1 : status;
  }
  return status;
}

}  // namespace interactive
