// Key codes and the key queue. A character key is one code page 437 byte
// 1..255; a special key is 255 followed by its PC keyboard scan code.
#pragma once

#include <array>
#include <cstddef>
#include <mutex>
#include <optional>

namespace textio {

struct key_code {
  unsigned char first = 0;
  unsigned char second = 0;
  bool two_bytes = false;

  static constexpr key_code character(unsigned char byte) { return {byte, 0, false}; }
  static constexpr key_code special(unsigned char scan_code) { return {255, scan_code, true}; }
  friend constexpr bool operator==(const key_code&, const key_code&) = default;
};

// Scan codes of the special keys (second byte after 255).
namespace scan {
inline constexpr unsigned char up = 72;         // 'H'
inline constexpr unsigned char down = 80;       // 'P'
inline constexpr unsigned char left = 75;       // 'K'
inline constexpr unsigned char right = 77;      // 'M'
inline constexpr unsigned char home = 71;       // 'G'
inline constexpr unsigned char end = 79;        // 'O'
inline constexpr unsigned char page_up = 73;    // 'I'
inline constexpr unsigned char page_down = 81;  // 'Q'
inline constexpr unsigned char insert = 82;     // 'R'
inline constexpr unsigned char del = 83;        // 'S'
inline constexpr unsigned char f1 = 59;         // ';' .. F10 = 68 ('D')
inline constexpr unsigned char ctrl_left = 115;   // 's'
inline constexpr unsigned char ctrl_right = 116;  // 't'
inline constexpr unsigned char close_button = 107;  // 'k'
}  // namespace scan

// A ring of 16 slots holding at most 15 keys; a key arriving while 15 wait
// pushes out the oldest. The key-pressed flag is set by every push.
// A window host pushes from its event thread while the dialogue's thread
// takes: the ring, its positions and the flag change only under one lock.
class key_queue {
 public:
  static constexpr std::size_t slots = 16;

  void push(key_code key);
  // Takes the oldest key, if any; clears the key-pressed flag either way.
  std::optional<key_code> take();
  bool empty() const;
  std::size_t size() const;
  void clear();

  bool key_pressed() const;
  // Whether a key was pressed since the flag was last cleared; clears it.
  bool test_and_clear_key_pressed();

 private:
  mutable std::recursive_mutex lock_;
  std::array<key_code, slots> ring_{};
  std::size_t head_ = 0;  // next to take
  std::size_t tail_ = 0;  // next free slot
  bool key_pressed_ = false;
};

}  // namespace textio
