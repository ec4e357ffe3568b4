// Positions of the entry are cell indices relative to the top left, so that
// scrolling (seen as a change of the screen's line number) only shifts the
// start of the entry.
#include "textio/line_editor.h"

#include <algorithm>

namespace textio {

namespace {

constexpr std::int64_t width = screen::columns;
constexpr std::int64_t cell_count = static_cast<std::int64_t>(screen::columns) * screen::rows;
constexpr std::size_t tab_stop = 8;
constexpr std::size_t row_length = screen::columns;

int row_of(std::int64_t index) { return static_cast<int>(index / width) + 1; }
int column_of(std::int64_t index) { return static_cast<int>(index % width) + 1; }

std::int64_t signed_size(std::size_t n) { return static_cast<std::int64_t>(n); }

}  // namespace

line_editor::line_editor(screen& cells)
    : screen_(cells),
      start_(static_cast<std::int64_t>(cells.cursor_row() - 1) * width + cells.cursor_column() - 1) {}

line_editor::outcome line_editor::apply(key_code key) {
  if (!key.two_bytes) {
    switch (key.first) {
      case 13:
      case 10:
        return outcome::finished;
      case 8:
        if (cursor_ > 0) {
          --cursor_;
          erase(cursor_, 1);
        }
        return outcome::editing;
      case 9:
        insert(std::string(tab_stop - cursor_ % tab_stop, ' '));
        return outcome::editing;
      case 27:
        cursor_ = 0;
        erase(0, text_.size());
        return outcome::editing;
      default:
        if (key.first >= 32) insert(std::string(1, static_cast<char>(key.first)));
        return outcome::editing;
    }
  }
  switch (key.second) {
    case scan::del:
      if (cursor_ == text_.size()) return outcome::beep;
      erase(cursor_, 1);
      break;
    case scan::left:
      if (cursor_ > 0) --cursor_;
      break;
    case scan::right:
      if (cursor_ < text_.size()) ++cursor_;
      break;
    case scan::home:
      cursor_ = 0;
      break;
    case scan::end:
      cursor_ = text_.size();
      break;
    case scan::up:
      if (cursor_ >= row_length) cursor_ -= row_length;
      break;
    case scan::down:
      if (cursor_ + row_length <= text_.size()) cursor_ += row_length;
      break;
    default:
      return outcome::editing;  // Insert, Page Up/Down, F-keys, close button
  }
  place_cursor();
  return outcome::editing;
}

void line_editor::move_to_end() {
  cursor_ = text_.size();
  place_cursor();
}

void line_editor::insert(std::string_view bytes) {
  text_.insert(cursor_, bytes);
  const std::size_t from = cursor_;
  cursor_ += bytes.size();
  redraw_from(from, 0);
}

void line_editor::erase(std::size_t index, std::size_t count) {
  text_.erase(index, count);
  redraw_from(index, count);
}

void line_editor::redraw_from(std::size_t index, std::size_t cells_to_blank) {
  // Characters scrolled off the top are not drawn again.
  std::size_t i = std::max(index, static_cast<std::size_t>(std::max<std::int64_t>(0, -start_)));
  if (i < text_.size()) {
    screen_.move_cursor(row_of(start_ + signed_size(i)), column_of(start_ + signed_size(i)));
    for (; i < text_.size(); ++i) {
      const std::uint64_t line_before = screen_.line_number();
      screen_.put_glyph(static_cast<unsigned char>(text_[i]));
      start_ -= width * static_cast<std::int64_t>(screen_.line_number() - line_before);
    }
  }
  // The cells the line no longer covers after a deletion.
  for (std::size_t k = 0; k < cells_to_blank; ++k) {
    const std::int64_t at = start_ + signed_size(text_.size() + k);
    if (at >= 0 && at < cell_count) screen_.set_cell(row_of(at), column_of(at), ' ');
  }
  place_cursor();
}

void line_editor::place_cursor() {
  const std::int64_t at = std::clamp<std::int64_t>(start_ + signed_size(cursor_), 0, cell_count - 1);
  screen_.move_cursor(row_of(at), column_of(at));
}

}  // namespace textio
