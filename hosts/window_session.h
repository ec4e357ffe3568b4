// What the program sees of the window host (window_host.h): the host
// interface plus opening the window and running its events. The host lives
// in a loadable module (vollfarbe_window_host.so) with SDL2 and X11, which
// only a run with a window loads; its one exported function makes a host.
// A change of these types is a new entry name (_v2), so that a module of
// another version fails to load with a message instead of misbehaving.
#pragma once

#include <optional>
#include <string>

#include "hosts/unifont_glyphs.h"
#include "textio/host.h"

namespace hosts {

class window_session : public textio::host {
 public:
  // On the thread that will run the events: opens the window, titled
  // `title`. A message when no window can be had.
  virtual std::optional<std::string> open_window(const std::string& title) = 0;

  // The event loop, on the thread that opened the window; returns once the
  // dialogue's side has called close(), after the window is gone.
  virtual void run_events() = 0;

  // The dialogue has ended with `status` and said all it had to say; closes
  // the host. (Should the display go away, the program ends only then.)
  virtual void finish(int status) = 0;
};

inline constexpr char window_session_entry[] = "vollfarbe_window_session_v1";

}  // namespace hosts

// A new window host drawing with `glyphs` and putting keys into `keys`, which
// the dialogue's services share; both outlive it. The caller owns it.
extern "C" [[gnu::visibility("default")]] hosts::window_session* vollfarbe_window_session_v1(
    const hosts::cp437_glyphs& glyphs, textio::key_queue& keys);
