#include "plot/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "textio/planted_links.h"

namespace plot {
namespace {

std::string reason(int error) { return std::strerror(error); }

// Writes all bytes; false with errno set when the file takes no more.
bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A device or FIFO is written in place; `follow` only for a link that may
// be followed (planted_links.h), so a link put there after the check is not.
std::optional<std::string> write_directly(const std::string& path, std::string_view bytes,
                                          bool follow) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW), 0666);
  if (fd < 0) return reason(errno);
  const bool written = write_all(fd, bytes);
  const int error = errno;
  if (::close(fd) != 0 && written) return reason(errno);
  if (!written) return reason(error);
  return std::nullopt;
}

// The mode a new file gets from open(..., 0666): the umask taken off.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::optional<std::string> write_file_whole(const std::string& path, std::string_view bytes) {
  // The path is never resolved: the temporary file lies beside the path as
  // given and the rename replaces whatever the path names, a link included,
  // never the file a link points to.
  mode_t mode = new_file_mode();
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0) {
    if (S_ISLNK(status.st_mode)) {
      if (textio::is_planted_link(path)) return textio::planted_link_reason;
      struct stat target {};
      if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode) &&
          !S_ISDIR(target.st_mode)) {
        return write_directly(path, bytes, true);  // /dev/stdout, a link to a FIFO
      }
    } else if (S_ISREG(status.st_mode)) {
      mode = status.st_mode & 07777;
    } else if (!S_ISDIR(status.st_mode)) {
      return write_directly(path, bytes, false);
    }
  }

  const auto slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string temporary = directory + "." + name + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return reason(errno);
  bool written = write_all(fd, bytes) && ::fchmod(fd, mode) == 0 &&
                 ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    return reason(error);
  }
  return std::nullopt;
}

}  // namespace plot
