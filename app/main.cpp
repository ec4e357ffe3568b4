// Program entry: hands the command line to the application.
#include "app/application.h"
#include "app/process_setup.h"

int main(int argc, char** argv) {
  app::open_standard_descriptors();  // before anything opens a file
  app::ignore_file_size_signal();
  return app::run_application(argc, argv);
}
