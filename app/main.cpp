// Program entry: hands the command line to the application.
#include <cstdio>
#include <new>

#include "app/application.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
  app::open_standard_descriptors();  // before anything opens a file
  app::ignore_file_size_signal();
  try {
    return app::run_application(argc, argv);
  } catch (const std::bad_alloc&) {
    // Under a memory limit: a message and a failure, not an abort.
    std::fputs("vollfarbe: out of memory\n", stderr);
    return 1;
  }
}
