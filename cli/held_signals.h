// The signals that end the program (Ctrl+C, kill, Ctrl+\, a hang-up) held
// back while whole rows go out, so that a reader of a command's output never
// sees half a row: the signal is delivered, and ends the program as before,
// once the write is complete.
//   { const cli::held_signals hold; write(fd, rows, n); }  // a signal here waits
#pragma once

#include <csignal>

namespace cli {

class held_signals {
 public:
  held_signals();
  ~held_signals();
  held_signals(const held_signals&) = delete;
  held_signals& operator=(const held_signals&) = delete;

 private:
  sigset_t previous_;
};

// Threads started while one is held inherit the held set: a program's
// worker threads are started so, and a signal then always reaches the
// thread that writes.

}  // namespace cli
