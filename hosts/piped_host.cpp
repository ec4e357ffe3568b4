#include "hosts/piped_host.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "textio/cp437.h"

namespace hosts {

std::string transcript_line(const std::string& cp437_row) {
  std::string row = cp437_row;
  for (char& c : row) {
    if (c == '\0') c = ' ';
  }
  const auto last = row.find_last_not_of(' ');
  row.erase(last == std::string::npos ? 0 : last + 1);
  return textio::utf8_from_cp437(row);
}

piped_host::piped_host(int input_fd, std::FILE* transcript)
    : input_fd_(input_fd), transcript_(transcript) {}

void piped_host::open(const screen& cells) {
  last_painted_ = &cells;
  next_line_ = cells.line_number();
  cursor_line_ = cells.line_number();
}

piped_host::read_result piped_host::read_byte(unsigned char& byte) {
  for (;;) {
    if (signals_.caught()) return read_result::signal;
    pollfd fds[2] = {{input_fd_, POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, signals_.fd() >= 0 ? 2 : 1, -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return read_result::end;
    }
    // A signal that came with the input (or its end) wins over it.
    if (signals_.caught()) return read_result::signal;
    if (fds[0].revents == 0) continue;
    const auto n = ::read(input_fd_, &byte, 1);
    if (n == 1) return read_result::byte;
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    return read_result::end;  // end of input, or an input that cannot be read
  }
}

std::optional<int> piped_host::wait_for_keys(key_queue& keys, std::chrono::milliseconds) {
  unsigned char first = 0;
  switch (read_byte(first)) {
    case read_result::byte:
      break;
    case read_result::end:
      return 0;
    case read_result::signal:
      return 128 + *signals_.caught();
  }
  if (first != 255) {
    keys.push(key_code::character(first));
    return std::nullopt;
  }
  unsigned char second = 0;
  switch (read_byte(second)) {
    case read_result::byte:
      keys.push(key_code::special(second));
      return std::nullopt;
    case read_result::end:
      // A 255 as the last byte of the input stays a key of its own; the next
      // wait then reports the end.
      keys.push(key_code::character(first));
      return std::nullopt;
    case read_result::signal:
      break;
  }
  return 128 + *signals_.caught();
}

void piped_host::write_line(const std::string& cp437_row) {
  const std::string line = transcript_line(cp437_row) + '\n';
  errno = 0;
  if (std::fwrite(line.data(), 1, line.size(), transcript_) != line.size() &&
      transcript_error_ == 0) {
    transcript_error_ = errno != 0 ? errno : EIO;
  }
}

void piped_host::flush_transcript() {
  errno = 0;
  if ((std::fflush(transcript_) != 0 || std::ferror(transcript_)) && transcript_error_ == 0) {
    transcript_error_ = errno != 0 ? errno : EIO;
  }
}

void piped_host::paint(const screen& cells) {
  last_painted_ = &cells;
  const std::uint64_t first = cells.line_number();
  // The row the cursor stood in last time has gone (cleared or scrolled off)
  // before anything showed it complete: it still belongs in the transcript.
  if (cursor_line_ >= next_line_ && cursor_line_ < first) {
    if (!cursor_row_text_.empty()) write_line(cursor_row_text_);
    next_line_ = cursor_line_ + 1;
  }
  for (int row = 1; row < cells.cursor_row(); ++row) {
    const std::uint64_t line = first + static_cast<std::uint64_t>(row - 1);
    if (line < next_line_) continue;
    write_line(cells.row_text(row));
    next_line_ = line + 1;
  }
  cursor_line_ = first + static_cast<std::uint64_t>(cells.cursor_row() - 1);
  cursor_row_text_ = transcript_line(cells.row_text(cells.cursor_row())).empty()
                         ? std::string()
                         : cells.row_text(cells.cursor_row());
  flush_transcript();
}

void piped_host::close() {
  if (closed_) return;
  closed_ = true;
  if (last_painted_ != nullptr) {
    const screen& cells = *last_painted_;
    paint(cells);
    const std::string row = cells.row_text(cells.cursor_row());
    if (cursor_line_ >= next_line_ && !transcript_line(row).empty()) {
      write_line(row);
      next_line_ = cursor_line_ + 1;
    }
  }
  flush_transcript();
}

}  // namespace hosts
