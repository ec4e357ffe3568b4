// Random key bytes through the services on the in-memory host: line entry,
// single keys and the wait for a key press, until the keys run out. The
// first byte picks how many keys arrive per wait (typing ahead, overflow).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hosts/memory_host.h"
#include "textio/services.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t per_wait = 1 + data[0] % 20;
  const std::string_view keys(reinterpret_cast<const char*>(data + 1), size - 1);
  hosts::memory_host host(keys, per_wait);
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
      const textio::screen& cells = io.text_screen();
      if (cells.cursor_row() < 1 || cells.cursor_row() > textio::screen::rows ||
          cells.cursor_column() < 1 || cells.cursor_column() > textio::screen::columns) {
        std::abort();
      }
    }
  } catch (const textio::program_ended& end) {
    if (end.status != 0 || host.closes() != 1) std::abort();
  }
  return 0;
}
