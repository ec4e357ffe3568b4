#include "textio/piped_host.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>

#include "textio/cp437.h"

namespace textio {

namespace {

// Shared with the signal handler, hence plain globals of async-safe types.
volatile std::sig_atomic_t caught_signal = 0;
int signal_pipe[2] = {-1, -1};

constexpr int watched_signals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous_actions[3];
struct sigaction previous_sigpipe;

extern "C" void record_end_signal(int signal_number) {
  const int saved_errno = errno;
  if (caught_signal == 0) caught_signal = signal_number;
  if (signal_pipe[1] >= 0) {
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(signal_pipe[1], &wake, 1);
  }
  errno = saved_errno;
}

void set_nonblocking_cloexec(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

end_signal_watch::end_signal_watch() {
  caught_signal = 0;
  if (::pipe(signal_pipe) == 0) {
    set_nonblocking_cloexec(signal_pipe[0]);
    set_nonblocking_cloexec(signal_pipe[1]);
  } else {
    signal_pipe[0] = signal_pipe[1] = -1;
  }
  struct sigaction action {};
  action.sa_handler = record_end_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking read or poll returns EINTR
  for (std::size_t i = 0; i < std::size(watched_signals); ++i) {
    ::sigaction(watched_signals[i], &action, &previous_actions[i]);
  }
  // A transcript reader that goes away must not kill the program before the
  // report is written; the failed write is simply lost.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, &previous_sigpipe);
}

end_signal_watch::~end_signal_watch() {
  ::sigaction(SIGPIPE, &previous_sigpipe, nullptr);
  for (std::size_t i = 0; i < std::size(watched_signals); ++i) {
    ::sigaction(watched_signals[i], &previous_actions[i], nullptr);
  }
  for (int& fd : signal_pipe) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

int end_signal_watch::fd() const { return signal_pipe[0]; }

std::optional<int> end_signal_watch::caught() const {
  const int n = caught_signal;
  if (n == 0) return std::nullopt;
  return n;
}

std::string transcript_line(const std::string& cp437_row) {
  std::string row = cp437_row;
  for (char& c : row) {
    if (c == '\0') c = ' ';
  }
  const auto last = row.find_last_not_of(' ');
  row.erase(last == std::string::npos ? 0 : last + 1);
  return utf8_from_cp437(row);
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
    if (fds[0].revents == 0) continue;  // only the signal pipe: checked above
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
  std::fwrite(line.data(), 1, line.size(), transcript_);
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
  std::fflush(transcript_);
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
  std::fflush(transcript_);
}

}  // namespace textio
