// The program as a whole: without arguments the interactive dialogue, with a
// command word that command of the command table, plus --help and --version.
#pragma once

#include <string>

namespace app {

int run_application(int argc, char** argv);

}  // namespace app
