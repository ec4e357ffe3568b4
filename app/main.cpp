// Program entry: hands the command line to the application.
#include "app/application.h"

int main(int argc, char** argv) { return app::run_application(argc, argv); }
