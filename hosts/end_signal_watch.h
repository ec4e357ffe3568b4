// Ending cleanly on the signals that end a program (INT, TERM, HUP, QUIT,
// USR1, USR2, ALRM, VTALRM, PROF, XCPU): hosts poll the watch's file
// descriptor next to their input and end the program with 128 + n.
#pragma once

#include <optional>

namespace hosts {

// Catches those signals while it lives, so that the program can
// write out its report and restore the terminal before it ends. The handlers
// only record the signal and make fd() readable, which wakes a poll().
// One watch at a time; the previous handlers come back on destruction.
class end_signal_watch {
 public:
  end_signal_watch();
  ~end_signal_watch();
  end_signal_watch(const end_signal_watch&) = delete;
  end_signal_watch& operator=(const end_signal_watch&) = delete;

  // Readable once a signal has been caught (-1 if no pipe could be made).
  int fd() const;
  // The first signal caught since the watch began.
  std::optional<int> caught() const;
};

}  // namespace hosts
