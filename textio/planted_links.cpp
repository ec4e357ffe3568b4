#include "textio/planted_links.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace textio {
namespace {

std::string directory_of(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool may_follow(const struct stat& link, const struct stat& directory) {
  const bool shared = (directory.st_mode & S_ISVTX) != 0 && (directory.st_mode & S_IWOTH) != 0;
  return !shared || link.st_uid == ::geteuid() || link.st_uid == directory.st_uid;
}

}  // namespace

bool is_planted_link(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return false;
  struct stat directory {};
  if (::stat(directory_of(path).c_str(), &directory) != 0) return true;  // cannot tell: refuse
  return !may_follow(link, directory);
}

int open_unless_planted(const std::string& path, int flags, mode_t mode) {
  // A link seen by the first open can be replaced only by its owner or the
  // directory's owner once it is trusted (the sticky bit), so following it
  // in the second open follows the link that was checked. A link that
  // disappears in between is looked at again.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = ::open(path.c_str(), flags | O_NOFOLLOW, mode);
    if (fd >= 0) return fd;
    // A final link gives ELOOP, or EACCES with O_CREAT on some kernels.
    const int error = errno;
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
      if (error == ELOOP) continue;  // the link went away in between
      errno = error;
      return -1;
    }
    if (is_planted_link(path)) {
      errno = ELOOP;
      return -1;
    }
    return ::open(path.c_str(), flags, mode);
  }
  errno = ELOOP;
  return -1;
}

}  // namespace textio
