// What runs the text screen: a terminal, a pipe, or memory in tests. A host
// only feeds keys and paints cells; the dialogue never knows which one it has.
#pragma once

#include <chrono>
#include <optional>

#include "textio/keys.h"
#include "textio/screen.h"

namespace textio {

class host {
 public:
  virtual ~host() = default;

  // Called once when the text screen opens.
  virtual void open(const screen&) {}

  // Called when the program waits for the user: delivers keys into `keys`.
  // `timeout` is how long the services would wait before they look at the
  // queue again; a host may instead block until a key comes, since nothing
  // else changes what the program waits for (the terminal host sleeps in
  // poll, a pipe host delivers exactly one key, read only now). Returns an
  // exit status when the program must end instead: 0 at the end of piped or
  // scripted input, 128 + n on signal n, 129 when the terminal is gone.
  virtual std::optional<int> wait_for_keys(key_queue& keys, std::chrono::milliseconds timeout) = 0;

  // Shows the cells and the cursor. Called before every wait for the user,
  // before the screen is cleared, and when the program ends.
  virtual void paint(const screen& cells) = 0;

  virtual void beep() {}

  // Called once when the program ends, after the last paint: restore the
  // terminal, flush the transcript.
  virtual void close() {}
};

}  // namespace textio
