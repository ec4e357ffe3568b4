#include "table/output_buffer.h"

#include <algorithm>
#include <cerrno>
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
  if (!failed_) {
    errno = 0;
    if (std::fwrite(buffer_.data(), 1, used_, sink_) != used_) fail();
  }
  used_ = 0;
}

void output_buffer::push_out() {
  flush();
  if (!failed_) {
    errno = 0;
    if (std::fflush(sink_) != 0) fail();
  }
}

bool output_buffer::finish() {
  push_out();
  if (!failed_ && std::ferror(sink_) != 0) fail();
  return !failed_;
}

void output_buffer::fail() {
  failed_ = true;
  error_ = errno != 0 ? errno : EIO;
}

}  // namespace table
