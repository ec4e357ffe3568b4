// The dialogue on the host that fits how the program was started: full
// screen on a terminal, or a transcript when keys come from a pipe or file.
#include <unistd.h>

#include <cstdio>

#include "app/application.h"
#include "dialogue/dialogue.h"
#include "hosts/piped_host.h"
#include "textio/services.h"
#include "hosts/terminal_host.h"

namespace app {

namespace {

int run_on(textio::host& host) {
  textio::services io(host);
  const int status = dialogue::run_dialogue(io);
  // The program's end has closed the host, so the screen is gone: a lost
  // report must not go unnoticed.
  if (const auto problem = io.report_file_problem()) {
    std::fprintf(stderr, "vollfarbe: %s\n", problem->c_str());
  }
  return status;
}

}  // namespace

int run_interactive() {
  // The full screen needs the terminal on both sides; with output redirected
  // the keyboard still works through the transcript host.
  if (::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO)) {
    hosts::terminal_host terminal;
    if (terminal.start()) return run_on(terminal);
  }
  hosts::piped_host piped(STDIN_FILENO, stdout);
  return run_on(piped);
}

}  // namespace app
