// Placeholder until the command line lands.
#include "app/application.h"

namespace app {
int run_application(int, char**) { return run_interactive(); }
}  // namespace app
