#include "app/process_setup.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace app {

void open_standard_descriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // open() returns the lowest free descriptor: this one. Read-only, so
    // that stdin gives end of input and writes to stdout/stderr still fail.
    const int opened = ::open("/dev/null", O_RDONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

void ignore_file_size_signal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace app
