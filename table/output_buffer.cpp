#include "table/output_buffer.h"

#include <algorithm>
#include <cmath>

#include "textio/shortest_number.h"

namespace table {

void output_buffer::put(std::string_view text) {
  while (!text.empty()) {
    if (used_ == buffer_.size()) flush();
    const std::size_t n = std::min(text.size(), buffer_.size() - used_);
    text.copy(buffer_.data() + used_, n);
    used_ += n;
    text.remove_prefix(n);
  }
}

void output_buffer::put_number(double value, std::string_view not_finite) {
  if (!std::isfinite(value)) {
    put(not_finite);
    return;
  }
  if (buffer_.size() - used_ < textio::shortest_number_capacity) flush();
  char* const begin = buffer_.data() + used_;
  used_ += static_cast<std::size_t>(textio::write_shortest(value, begin) - begin);
}

void output_buffer::flush() {
  if (used_ == 0) return;
  if (!failed_ && std::fwrite(buffer_.data(), 1, used_, sink_) != used_) failed_ = true;
  used_ = 0;
}

bool output_buffer::finish() {
  flush();
  if (std::fflush(sink_) != 0 || std::ferror(sink_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace table
