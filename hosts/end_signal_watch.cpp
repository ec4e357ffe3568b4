#include "hosts/end_signal_watch.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace hosts {

namespace {

// Shared with the signal handler, hence plain globals of async-safe types.
volatile std::sig_atomic_t caught_signal = 0;
int signal_pipe[2] = {-1, -1};

// Every signal whose default action ends the process and that a user or a
// system sends to end a program (not the faults SEGV, BUS, FPE, ILL, whose
// handler could not return).
constexpr int watched_signals[] = {SIGINT,  SIGTERM, SIGHUP,    SIGQUIT, SIGUSR1,
                                   SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU};
struct sigaction previous_actions[std::size(watched_signals)];
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

}  // namespace hosts
