// The host for scripted runs: keys come from a pipe or file, and what the
// screen shows goes out as a plain UTF-8 transcript, like a teletype.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "hosts/end_signal_watch.h"
#include "hosts/host_interface.h"

namespace hosts {

class piped_host final : public host {
 public:
  // Reads keys from `input_fd` (not closed here) and writes the transcript to
  // `transcript` (flushed at every paint, not closed here).
  piped_host(int input_fd, std::FILE* transcript);

  void open(const screen& cells) override;
  // Reads exactly one key, blocking: a byte, or 255 and the byte after it.
  // Returns 0 at the end of the input, 128 + n on signal n.
  std::optional<int> wait_for_keys(key_queue& keys, std::chrono::milliseconds timeout) override;
  // Writes the rows above the cursor that are not yet in the transcript.
  void paint(const screen& cells) override;
  // Writes the cursor row too when it holds text.
  void close() override;

  // The errno of the first write to the transcript that failed (a full disk,
  // a closed stdout), 0 while none has: the dialogue runs on and the report
  // file is still written, but the run must not end as a success.
  int transcript_error() const { return transcript_error_; }

 private:
  enum class read_result { byte, end, signal };
  read_result read_byte(unsigned char& byte);
  void write_line(const std::string& cp437_row);
  void flush_transcript();

  int input_fd_;
  std::FILE* transcript_;
  end_signal_watch signals_;
  const screen* last_painted_ = nullptr;
  std::uint64_t next_line_ = 0;  // absolute number of the first line not yet written
  // The cursor row at the last paint: written once it has left the screen
  // (cleared or scrolled away) before it was complete.
  std::uint64_t cursor_line_ = 0;
  std::string cursor_row_text_;
  bool closed_ = false;
  int transcript_error_ = 0;
};

// A screen row as transcript text: blanks (and empty cells) at the end
// dropped, empty cells inside shown as blanks, code page 437 as UTF-8.
// "ab\0c  " -> "ab c"; "  " -> ""; "l\x84nge" -> "länge".
std::string transcript_line(const std::string& cp437_row);

}  // namespace hosts
