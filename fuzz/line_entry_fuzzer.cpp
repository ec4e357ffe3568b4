// Random key bytes through the services: line entry, single keys and the
// wait for a key press, until the keys run out. The first byte picks how
// many keys arrive per wait (typing ahead, overflow).
//
// The host is a lean one of its own: the memory host keeps a copy of all 30
// rows at every paint, which is before every wait, so that copying the
// screen (under ASan) cost far more than the services themselves. This one
// only checks the cursor at each paint.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "textio/host.h"
#include "textio/services.h"

namespace {

void check_cursor(const textio::screen& cells) {
  if (cells.cursor_row() < 1 || cells.cursor_row() > textio::screen::rows ||
      cells.cursor_column() < 1 || cells.cursor_column() > textio::screen::columns) {
    std::abort();
  }
}

// Each byte is a key, 255 with the byte after it a special key.
class scripted_keys final : public textio::host {
 public:
  scripted_keys(std::string_view bytes, std::size_t per_wait) : bytes_(bytes), per_wait_(per_wait) {}

  std::optional<int> wait_for_keys(textio::key_queue& keys, std::chrono::milliseconds) override {
    if (bytes_.empty()) return 0;
    for (std::size_t n = 0; n < per_wait_ && !bytes_.empty(); ++n) {
      const auto byte = static_cast<unsigned char>(bytes_.front());
      bytes_.remove_prefix(1);
      if (byte == 255 && !bytes_.empty()) {
        keys.push(textio::key_code::special(static_cast<unsigned char>(bytes_.front())));
        bytes_.remove_prefix(1);
      } else {
        keys.push(textio::key_code::character(byte));
      }
    }
    return std::nullopt;
  }
  void paint(const textio::screen& cells) override { check_cursor(cells); }
  void close() override { ++closes_; }
  int closes() const { return closes_; }

 private:
  std::string_view bytes_;
  std::size_t per_wait_;
  int closes_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t per_wait = 1 + data[0] % 20;
  scripted_keys host(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), per_wait);
  textio::services io(host);
  io.start_services();
  io.open_text_screen();
  try {
    for (unsigned round = 0;; ++round) {
      switch (round % 4) {
        case 0: {
          const double value = io.input_number("", true, true);
          io.print_number(textio::target::screen, value, textio::ending::line_end);
          break;
        }
        case 1: {
          const std::int32_t choice = io.input_integer(" k= ", false, round % 8 == 1);
          io.print_number(textio::target::screen, choice, textio::ending::none);
          break;
        }
        case 2:
          io.print_text(textio::target::screen, io.read_key(), textio::ending::none);
          break;
        default:
          io.wait_for_key_press();
          io.clear_screen();
          break;
      }
      check_cursor(io.text_screen());
    }
  } catch (const textio::program_ended& end) {
    if (end.status != 0 || host.closes() != 1) std::abort();
  }
  return 0;
}
