// The key ring: one slot always stays free, so a full ring holds 15 keys and
// a new key pushes out the oldest one.
#include "textio/keys.h"

namespace textio {

void key_queue::push(key_code key) {
  const std::size_t next = (tail_ + 1) % slots;
  if (next == head_) head_ = (head_ + 1) % slots;  // full: drop the oldest
  ring_[tail_] = key;
  tail_ = next;
  key_pressed_ = true;
}

std::optional<key_code> key_queue::take() {
  key_pressed_ = false;
  if (empty()) return std::nullopt;
  const key_code key = ring_[head_];
  head_ = (head_ + 1) % slots;
  return key;
}

std::size_t key_queue::size() const { return (tail_ + slots - head_) % slots; }

void key_queue::clear() {
  head_ = 0;
  tail_ = 0;
}

}  // namespace textio
