#include "cli/held_signals.h"

#include <pthread.h>

#include <initializer_list>

namespace cli {

held_signals::held_signals() {
  sigset_t hold;
  sigemptyset(&hold);
  for (const int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP}) sigaddset(&hold, signal);
  pthread_sigmask(SIG_BLOCK, &hold, &previous_);
}

held_signals::~held_signals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace cli
