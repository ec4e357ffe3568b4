#include "cli/text_lines.h"

#include "cli/usage_error.h"

namespace cli {
namespace {

constexpr std::string_view byte_order_mark = "\xef\xbb\xbf";

}  // namespace

void text_lines::append(std::string_view bytes) {
  if (start_ > 0) {  // drop the lines already read before the buffer grows
    pending_.erase(0, start_);
    start_ = 0;
  }
  pending_.append(bytes);
}

std::string text_lines::line_name() const { return "stdin line " + std::to_string(line_number_); }

std::optional<std::string_view> text_lines::next() {
  if (at_start_) {
    // Only decided once three bytes are there (or the input has ended).
    if (pending_.size() < byte_order_mark.size() && !finished_ &&
        byte_order_mark.starts_with(pending_)) {
      return std::nullopt;
    }
    if (std::string_view(pending_).starts_with(byte_order_mark)) start_ = byte_order_mark.size();
    at_start_ = false;
  }
  const std::string_view rest = std::string_view(pending_).substr(start_);
  const auto end = rest.find('\n');
  // A line is complete at its line end, or as the last line of the input;
  // one already too long is refused before its end arrives.
  const bool complete = end != std::string_view::npos || (finished_ && !rest.empty());
  if (!complete && rest.size() <= longest_line) return std::nullopt;
  std::string_view line = rest.substr(0, end);
  ++line_number_;
  if (line.size() > longest_line) {
    throw usage_error(line_name() + " is longer than " + std::to_string(longest_line) + " bytes");
  }
  start_ += end == std::string_view::npos ? rest.size() : end + 1;
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace cli
