// A host in memory for tests and fuzzing: keys come from a script, every
// paint is kept as a snapshot of the 30 rows and the cursor, beeps are
// counted. At the end of the script the program is told to end (status 0).
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/host_interface.h"

namespace hosts {

class memory_host final : public host {
 public:
  struct snapshot {
    std::array<std::string, screen::rows> rows;
    int cursor_row = 1;
    int cursor_column = 1;
    bool cursor_visible = false;
    // Row r (from 1) without trailing blanks, for readable assertions.
    std::string trimmed_row(int r) const;
  };

  // Each byte is a one-byte key, except 255 which takes the byte after it as
  // a special key's scan code. `keys_per_wait` keys arrive at each wait (more
  // than one types ahead; more than 15 overflows the key queue).
  explicit memory_host(std::string_view key_bytes, std::size_t keys_per_wait = 1);
  explicit memory_host(std::vector<key_code> keys, std::size_t keys_per_wait = 1);

  // The status returned once the keys are used up (0 unless set).
  void set_end_status(int status) { end_status_ = status; }

  void open(const screen& cells) override;
  std::optional<int> wait_for_keys(key_queue& keys, std::chrono::milliseconds timeout) override;
  void paint(const screen& cells) override;
  void beep() override { ++beeps_; }
  void close() override { ++closes_; }

  const std::vector<snapshot>& snapshots() const { return snapshots_; }
  int beeps() const { return beeps_; }
  int opens() const { return opens_; }
  int closes() const { return closes_; }
  std::size_t keys_left() const { return keys_.size() - next_; }
  // The timeout of every wait, in order.
  const std::vector<std::chrono::milliseconds>& waits() const { return waits_; }

 private:
  std::vector<key_code> keys_;
  std::size_t next_ = 0;
  std::size_t keys_per_wait_;
  int end_status_ = 0;
  std::vector<snapshot> snapshots_;
  std::vector<std::chrono::milliseconds> waits_;
  int beeps_ = 0;
  int opens_ = 0;
  int closes_ = 0;
};

// The keys of a byte string as memory_host reads them.
std::vector<key_code> keys_from_bytes(std::string_view key_bytes);

}  // namespace hosts
