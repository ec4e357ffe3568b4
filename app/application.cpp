// The command line: no command word starts the dialogue; each command of the
// command table is a word of its own. Data goes to stdout, messages to
// stderr; a mistake in the arguments exits with status 2 and writes nothing
// to stdout.
#include "app/application.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/command_suggestion.h"
#include "app/version_text.h"
#include "cli/help_formatter.h"
#include "cli/printable_text.h"
#include "cli/usage_error.h"
#include "colour/catalogue/model_loading.h"

namespace app {
namespace {

std::string usage_line(std::span<const cli::command> commands) {
  std::string line = "usage: vollfarbe [--help] [--version] [--window | COMMAND [options] ...]; commands:";
  for (const cli::command& c : commands) {
    if (!c.name.empty()) line += " " + std::string(c.name);
  }
  return line;
}

int usage_failure(const std::string& message) {
  std::cerr << "vollfarbe: " << cli::printable_text(message) << '\n'
            << usage_line(command_table()) << '\n';
  return 2;
}

// --help and --version are output like any other: a failed write is status 1.
// (errno is cleared before the output, whose first failure may come early.)
int after_standard_output(int status) {
  std::cout.flush();
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && std::cout.good()) return status;
  std::fprintf(stderr, "vollfarbe: cannot write the output: %s\n",
               std::strerror(errno != 0 ? errno : EIO));
  return 1;
}

// The default command's options belong to it alone: one given with a
// command word is a mistake ("--window is for the dialogue, not for table").
std::optional<std::string> misplaced_option(const std::vector<const CLI::Option*>& own,
                                            std::string_view command) {
  for (const CLI::Option* option : own) {
    if (option->count() > 0) {
      return option->get_name() + " is for the dialogue, not for " + std::string(command);
    }
  }
  return std::nullopt;
}

int run_parsed(const cli::runner& run, const cli::run_context& context) {
  try {
    return run(context);
  } catch (const cli::usage_error& e) {
    return usage_failure(e.what());
  } catch (const colour::model_load_error& e) {
    // A file's own error is one line naming it: no usage line after it.
    std::cerr << "vollfarbe: " << cli::printable_text(e.what()) << '\n';
    return 2;
  } catch (const std::bad_alloc&) {
    std::cerr << "vollfarbe: out of memory\n";
    return 1;
  }
}

}  // namespace

int run_application(int argc, char** argv) {
  const std::string program_path = argc > 0 && argv[0] != nullptr ? argv[0] : "vollfarbe";
  const std::span<const cli::command> commands = command_table();
  const cli::run_context context{stdin, stdout, program_path};

  CLI::App app{
      "vollfarbe: optimal colours of the spectrum. Without arguments the interactive\n"
      "calculator; the commands compute many values at once.",
      "vollfarbe"};
  app.footer(
      "The dialogue, its piped mode, the report file, exit statuses and a glossary of\n"
      "the German words on the screen: man vollfarbe");
  app.formatter(std::make_shared<cli::help_formatter>());  // every command's, too
  app.set_version_flag("--version", std::string("vollfarbe ") + version_text());
  app.require_subcommand(0, 1);

  cli::runner default_run;
  std::vector<const CLI::Option*> default_options;
  std::vector<std::pair<CLI::App*, cli::runner>> subcommands;
  for (const cli::command& c : commands) {
    if (c.name.empty()) {
      const std::size_t before = app.get_options().size();
      default_run = c.declare(app);
      const auto options = app.get_options();
      default_options.assign(options.begin() + static_cast<std::ptrdiff_t>(before), options.end());
    } else {
      CLI::App* sub = app.add_subcommand(std::string(c.name), std::string(c.summary));
      subcommands.emplace_back(sub, c.declare(*sub));
    }
  }

  if (argc <= 1) return run_parsed(default_run, context);
  if (const auto unknown = unknown_command(argc, argv, commands)) return usage_failure(*unknown);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {  // --help, --version
      errno = 0;
      return after_standard_output(app.exit(e));
    }
    return usage_failure(e.what());
  }
  for (const auto& [sub, run] : subcommands) {
    if (!sub->parsed()) continue;
    if (const auto mistake = misplaced_option(default_options, sub->get_name())) {
      return usage_failure(*mistake);
    }
    return run_parsed(run, context);
  }
  return run_parsed(default_run, context);
}

}  // namespace app
