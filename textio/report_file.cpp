// Plain POSIX file calls: they give the errno text for the user's message and
// write exactly the bytes given, with no line-end translation.
#include "textio/report_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "textio/planted_links.h"

namespace textio {

namespace {

std::string reason(int error) { return std::strerror(error); }

// A regular file, or a character device such as /dev/null. A FIFO would
// block until someone reads it, a directory or socket cannot hold a report.
bool may_hold_report(const struct stat& status) {
  return S_ISREG(status.st_mode) || S_ISCHR(status.st_mode);
}

}  // namespace

report_file::report_file(std::string name) : name_(std::move(name)) {
  // Non-blocking and without O_TRUNC: opening never waits (a FIFO without a
  // reader fails at once instead of hanging the program), and the file is
  // emptied only once no other running program owns it. No retry on EINTR:
  // a signal during the open ends the program, it must not be swallowed.
  const int fd =
      open_unless_planted(name_, O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    // ENXIO: a FIFO that nobody reads (or a device without its driver).
    const int error = errno;
    problem_ = "could not create " + name_ + ": " +
               (error == ENXIO                                ? std::string("not a regular file")
                : error == ELOOP && is_planted_link(name_) ? std::string(planted_link_reason)
                                                               : reason(error));
    return;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !may_hold_report(status)) {
    const int error = errno;
    ::close(fd);
    problem_ = "could not create " + name_ + ": " +
               (may_hold_report(status) ? reason(error) : "not a regular file");
    return;
  }
  if (S_ISREG(status.st_mode)) {
    // Two programs in one directory would truncate and overwrite each other's
    // report at private offsets: the first one keeps it, the second writes none.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      ::close(fd);
      problem_ = error == EWOULDBLOCK
                     ? name_ + " was in use by another running vollfarbe: this run's results were not written"
                     : "could not create " + name_ + ": " + reason(error);
      return;
    }
    if (::ftruncate(fd, 0) != 0) {
      const int error = errno;
      ::close(fd);
      problem_ = "could not create " + name_ + ": " + reason(error);
      return;
    }
  }
  // Writes may block like any file write (a terminal as the report).
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  descriptor_ = fd;
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
  // A report whose name is gone (deleted, or its directory removed during the
  // run) is written into a file nobody can open again.
  struct stat status {};
  if (!write_failed_ && ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode) &&
      status.st_nlink == 0) {
    write_failed_ = true;
    problem_ = "could not write " + name_ + ": the file or its directory was deleted during the run";
  }
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
