// Plain POSIX file calls: they give the errno text for the user's message and
// write exactly the bytes given, with no line-end translation.
#include "textio/report_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace textio {

namespace {
std::string reason(int error) { return std::strerror(error); }
}  // namespace

report_file::report_file(std::string name) : name_(std::move(name)) {
  do {
    descriptor_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  } while (descriptor_ < 0 && errno == EINTR);
  if (descriptor_ < 0) {
    problem_ = "could not create " + name_ + ": " + reason(errno);
    return;
  }
  buffer_.reserve(block_size);
}

report_file::~report_file() { close(); }

void report_file::write(std::string_view bytes) {
  if (!is_open()) return;
  while (!bytes.empty()) {
    const std::size_t room = block_size - buffer_.size();
    const std::size_t part = bytes.size() < room ? bytes.size() : room;
    buffer_.append(bytes.substr(0, part));
    bytes.remove_prefix(part);
    if (buffer_.size() == block_size) {
      write_out(buffer_);
      buffer_.clear();
    }
  }
}

void report_file::close() {
  if (!is_open()) return;
  write_out(buffer_);
  buffer_.clear();
  if (::close(descriptor_) != 0 && !write_failed_ && errno != EINTR) {
    write_failed_ = true;
    problem_ = "could not write " + name_ + ": " + reason(errno);
  }
  descriptor_ = -1;
}

void report_file::write_out(std::string_view bytes) {
  // After the first failure the rest is lost too: a file with a gap in the
  // middle would be worse than one that stops.
  if (write_failed_) return;
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      write_failed_ = true;
      problem_ = "could not write " + name_ + ": " + reason(errno);
      return;
    }
    if (written == 0) {  // no progress: treat as a full disk rather than spin
      write_failed_ = true;
      problem_ = "could not write " + name_ + ": " + reason(ENOSPC);
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace textio
