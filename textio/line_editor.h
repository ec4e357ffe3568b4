// One line of entry on the text screen, starting at the cursor: characters
// are always inserted, the rest of the line is redrawn after an insertion or
// deletion, and the screen cursor follows the insertion point. The line may
// grow without limit and scroll the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "textio/keys.h"
#include "textio/screen.h"

namespace textio {

class line_editor {
 public:
  enum class outcome { editing, finished, beep };

  explicit line_editor(screen& cells);

  // Enter or LF finish; Backspace, Delete (beep at the end), Tab to the next
  // multiple of 8, Escape, Left, Right, Home, End, Up and Down (80 at a
  // time) edit; bytes 32..255 are inserted; everything else is ignored.
  outcome apply(key_code key);

  const std::string& text() const { return text_; }
  std::size_t cursor() const { return cursor_; }

  // Puts the screen cursor after the last character (after Enter).
  void move_to_end();

 private:
  void insert(std::string_view bytes);
  void erase(std::size_t index, std::size_t count);
  void redraw_from(std::size_t index, std::size_t cells_to_blank);
  void place_cursor();

  screen& screen_;
  std::string text_;
  std::size_t cursor_ = 0;
  // Cell index of the entry's first character counted from the top left
  // (row - 1) * 80 + column - 1; negative once scrolled off the top.
  std::int64_t start_;
};

}  // namespace textio
