// Placeholder until the hosts land.
#include "app/application.h"

namespace app {
int run_interactive() { return 0; }
}  // namespace app
