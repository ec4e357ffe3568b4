// The dialogue, the program's default command (no command word).
#pragma once

#include <string>

namespace interactive {

// The dialogue on the host that fits how the program was started: a
// terminal, a window of its own (asked for, or on a desktop with no terminal
// and no keys on stdin) or a pipe. Returns the exit status; reports a lost
// report file on stderr after the screen closes. `program_path` is argv[0],
// which names the window.
int run_interactive(const std::string& program_path, bool window_asked);

}  // namespace interactive
