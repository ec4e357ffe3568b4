#include "hosts/memory_host.h"

#include <utility>

namespace hosts {

std::vector<key_code> keys_from_bytes(std::string_view key_bytes) {
  std::vector<key_code> keys;
  for (std::size_t i = 0; i < key_bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(key_bytes[i]);
    if (byte == 255 && i + 1 < key_bytes.size()) {
      keys.push_back(key_code::special(static_cast<unsigned char>(key_bytes[++i])));
    } else {
      keys.push_back(key_code::character(byte));
    }
  }
  return keys;
}

std::string memory_host::snapshot::trimmed_row(int r) const {
  if (r < 1 || r > screen::rows) return {};
  std::string text = rows[static_cast<std::size_t>(r - 1)];
  const auto last = text.find_last_not_of(' ');
  text.resize(last == std::string::npos ? 0 : last + 1);
  return text;
}

memory_host::memory_host(std::string_view key_bytes, std::size_t keys_per_wait)
    : memory_host(keys_from_bytes(key_bytes), keys_per_wait) {}

memory_host::memory_host(std::vector<key_code> keys, std::size_t keys_per_wait)
    : keys_(std::move(keys)), keys_per_wait_(keys_per_wait == 0 ? 1 : keys_per_wait) {}

void memory_host::open(const screen&) { ++opens_; }

std::optional<int> memory_host::wait_for_keys(key_queue& keys, std::chrono::milliseconds timeout) {
  waits_.push_back(timeout);
  if (next_ == keys_.size()) return end_status_;
  for (std::size_t n = 0; n < keys_per_wait_ && next_ < keys_.size(); ++n) keys.push(keys_[next_++]);
  return std::nullopt;
}

void memory_host::paint(const screen& cells) {
  snapshot shot;
  for (int r = 1; r <= screen::rows; ++r) shot.rows[static_cast<std::size_t>(r - 1)] = cells.row_text(r);
  shot.cursor_row = cells.cursor_row();
  shot.cursor_column = cells.cursor_column();
  shot.cursor_visible = cells.cursor_visible();
  snapshots_.push_back(std::move(shot));
}

}  // namespace hosts
