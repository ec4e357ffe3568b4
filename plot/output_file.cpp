#include "plot/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

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

std::optional<std::string> write_directly(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
  std::string target = path;
  struct stat status {};
  if (::lstat(path.c_str(), &status) == 0 && S_ISLNK(status.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return write_directly(path, bytes);
    target = resolved;
    if (::lstat(target.c_str(), &status) != 0) return write_directly(target, bytes);
  } else if (::lstat(path.c_str(), &status) != 0) {
    status.st_mode = S_IFREG | new_file_mode();  // a new file
  }
  if (!S_ISREG(status.st_mode)) return write_directly(target, bytes);

  const auto slash = target.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = directory + "." + name + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return reason(errno);
  bool written = write_all(fd, bytes) && ::fchmod(fd, status.st_mode & 07777) == 0 &&
                 ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
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
