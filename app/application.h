// The program as a whole: without arguments the interactive dialogue, with
// `table` or `plot` the batch commands, plus --help and --version.
#pragma once

namespace app {

int run_application(int argc, char** argv);

// The dialogue on the host that fits stdin: a terminal or a pipe. Returns
// the exit status; reports a lost report file on stderr after the screen closes.
int run_interactive();

}  // namespace app
