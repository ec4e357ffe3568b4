// A command of the program: one row of the command table (app/command_table.cpp).
// Each command lives in a folder of its own and gives its row:
//
//   cli::command table_command() {
//     return {"table", "The dialogue's first pass for many wavelengths ...",
//             [](CLI::App& app) -> cli::runner {
//               auto options = std::make_shared<table_options>();
//               app.add_option("--from", options->from, ...);
//               return [options](const cli::run_context& run) { return run_table(*options, ...); };
//             }};
//   }
//
// The program declares every row's options, parses the command line once and
// runs the one command given (the row with no name when none is).
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace cli {

// What a command's run gets besides its options.
struct run_context {
  std::FILE* in;
  std::FILE* out;
  std::string program_path;  // argv[0]
};

// Runs the command once its options are parsed; returns the exit status. A
// usage_error or model_load_error it throws is reported by the program.
using runner = std::function<int(const run_context&)>;

struct command {
  std::string_view name;     // the word after `vollfarbe`; empty for the default
  std::string_view summary;  // its line in `vollfarbe --help`
  // Declares the command's options on its CLI11 app (the default command's on
  // the program's own) and returns what runs it.
  std::function<runner(CLI::App&)> declare;
};

}  // namespace cli
