#include "cli/stdin_records.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "cli/usage_error.h"

namespace cli {
namespace {

// Reads what the stream has now (waiting for it), or marks its end.
template <typename Lines>
void read_more(Lines& lines, int fd) {
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n > 0) {
      lines.append(std::string_view(chunk, static_cast<std::size_t>(n)));
      return;
    }
    if (n == 0) {
      lines.finish();
      return;
    }
    if (errno != EINTR) throw usage_error(std::string("stdin: cannot read: ") + std::strerror(errno));
  }
}

template <typename Lines>
void read_records(std::FILE* in, Lines& lines,
                  const std::function<void(std::span<const double>)>& on_line,
                  const std::function<void()>& before_wait,
                  const std::function<bool()>& keep_going) {
  // A closed stdin has no descriptor: reading it is an error like any other.
  const int fd = in != nullptr ? ::fileno(in) : -1;
  while (keep_going()) {
    const auto numbers = lines.next();
    if (numbers) {
      on_line(*numbers);
      continue;
    }
    if (lines.finished()) return;
    before_wait();
    read_more(lines, fd);
  }
}

}  // namespace

void read_stdin_records(std::FILE* in, number_lines& lines,
                        const std::function<void(std::span<const double>)>& on_line,
                        const std::function<void()>& before_wait,
                        const std::function<bool()>& keep_going) {
  read_records(in, lines, on_line, before_wait, keep_going);
}

void read_stdin_records(std::FILE* in, column_reader& lines,
                        const std::function<void(std::span<const double>)>& on_line,
                        const std::function<void()>& before_wait,
                        const std::function<bool()>& keep_going) {
  read_records(in, lines, on_line, before_wait, keep_going);
}

}  // namespace cli
