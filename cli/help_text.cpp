#include "cli/help_text.h"

#include <algorithm>

namespace cli {

std::string wrap_text(std::string_view text, std::size_t indent, std::size_t width) {
  std::string wrapped;
  std::size_t line_length = 0;
  while (!text.empty()) {
    const std::size_t word_end = std::min(text.find(' '), text.size());
    const std::string_view word = text.substr(0, word_end);
    text.remove_prefix(std::min(word_end + 1, text.size()));
    if (word.empty()) continue;
    if (line_length > 0 && line_length + 1 + word.size() > width) {
      wrapped += '\n';
      wrapped.append(indent, ' ');
      line_length = 0;
    } else if (line_length > 0) {
      wrapped += ' ';
      ++line_length;
    }
    wrapped += word;
    line_length += word.size();
  }
  return wrapped;
}

}  // namespace cli
