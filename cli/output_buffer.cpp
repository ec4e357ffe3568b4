#include "cli/output_buffer.h"

#include "cli/held_signals.h"

#include <unistd.h>

#include <cerrno>

namespace cli {

output_buffer::output_buffer(std::FILE* sink) : sink_(sink) {
  errno = 0;
  if (std::fflush(sink_) != 0) fail(errno);
  fd_ = ::fileno(sink_);
}

void output_buffer::put(std::string_view text) {
  if (text.size() <= buffer_.size() - used_) {
    text.copy(buffer_.data() + used_, text.size());
    used_ += text.size();
    return;
  }
  flush();
  if (text.size() < buffer_.size()) {
    text.copy(buffer_.data(), text.size());
    used_ = text.size();
  } else {
    write_out(text);
  }
}

void output_buffer::flush() {
  write_out({buffer_.data(), used_});
  used_ = 0;
}

bool output_buffer::finish() {
  flush();
  if (fd_ < 0 && !failed_) {
    errno = 0;
    if (std::fflush(sink_) != 0 || std::ferror(sink_) != 0) fail(errno);
  }
  return !failed_;
}

void output_buffer::write_out(std::string_view bytes) {
  if (failed_ || bytes.empty()) return;
  if (fd_ < 0) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), sink_) != bytes.size()) fail(errno);
    return;
  }
  // The buffer holds whole rows: a signal that ends the program waits until
  // they are all out (a pipe may take them in several writes).
  const held_signals hold;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno);
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void output_buffer::fail(int error) {
  failed_ = true;
  error_ = error != 0 ? error : EIO;
}

}  // namespace cli
