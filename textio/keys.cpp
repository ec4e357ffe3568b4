// The key ring: one slot always stays free, so a full ring holds 15 keys and
// a new key pushes out the oldest one.
#include "textio/keys.h"

namespace textio {

void key_queue::push(key_code key) {
  const std::lock_guard hold(lock_);
  const std::size_t next = (tail_ + 1) % slots;
  if (next == head_) head_ = (head_ + 1) % slots;  // full: drop the oldest
  ring_[tail_] = key;
  tail_ = next;
  key_pressed_ = true;
}

std::optional<key_code> key_queue::take() {
  const std::lock_guard hold(lock_);
  key_pressed_ = false;
  if (head_ == tail_) return std::nullopt;
  const key_code key = ring_[head_];
  head_ = (head_ + 1) % slots;
  return key;
}

bool key_queue::empty() const {
  const std::lock_guard hold(lock_);
  return head_ == tail_;
}

std::size_t key_queue::size() const {
  const std::lock_guard hold(lock_);
  return (tail_ + slots - head_) % slots;
}

void key_queue::clear() {
  const std::lock_guard hold(lock_);
  head_ = 0;
  tail_ = 0;
}

bool key_queue::key_pressed() const {
  const std::lock_guard hold(lock_);
  return key_pressed_;
}

bool key_queue::test_and_clear_key_pressed() {
  const std::lock_guard hold(lock_);
  const bool pressed = key_pressed_;
  key_pressed_ = false;
  return pressed;
}

}  // namespace textio
