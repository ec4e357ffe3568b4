#include "cli/help_formatter.h"

#include <algorithm>

#include "cli/help_text.h"

namespace cli {
namespace {

constexpr std::size_t help_width = 80;
constexpr std::size_t name_column = 28;  // where descriptions start

std::string without_leading_newlines(std::string text) {
  return text.erase(0, std::min(text.find_first_not_of('\n'), text.size()));
}

}  // namespace

std::string shown_type_name(const CLI::Option& option) {
  const std::string name = option.get_type_name();
  return name.substr(0, name.find(':'));
}

help_formatter::help_formatter() { column_width(name_column); }

std::string help_formatter::entry(const std::string& name, const std::string& description) const {
  std::string line = "  " + name;
  if (description.empty()) return line + '\n';
  if (line.size() + 2 > name_column) {
    line += '\n';
    line.append(name_column, ' ');
  } else {
    line.resize(name_column, ' ');
  }
  return line + wrap_text(description, name_column, help_width - name_column) + '\n';
}

std::string help_formatter::make_help(const CLI::App* app, std::string name,
                                      CLI::AppFormatMode mode) const {
  std::string help;
  std::string description = app->get_description();
  std::replace(description.begin(), description.end(), '\n', ' ');  // wrapped anew
  if (!description.empty()) help += wrap_text(description, 0, help_width) + "\n\n";
  help += make_usage(app, name);
  help += make_positionals(app);
  help += make_groups(app, mode);
  help += make_subcommands(app, mode);
  const std::string footer = without_leading_newlines(app->get_footer());
  if (!footer.empty()) help += '\n' + footer + '\n';
  return help;
}

std::string help_formatter::make_usage(const CLI::App* app, std::string name) const {
  std::string usage = "Usage: " + name;
  if (!app->get_options([](const CLI::Option* o) { return o->nonpositional(); }).empty()) {
    usage += " [options]";
  }
  for (const CLI::Option* positional :
       app->get_options([](const CLI::Option* o) { return o->get_positional(); })) {
    usage += " [" + shown_type_name(*positional) + "]";
  }
  if (!app->get_subcommands({}).empty()) usage += " [COMMAND [options] ...]";
  return usage + '\n';
}

std::string help_formatter::make_group(std::string group, bool is_positional,
                                       std::vector<const CLI::Option*> opts) const {
  std::string text = "\n" + (is_positional ? std::string("Arguments") : group) + ":\n";
  for (const CLI::Option* option : opts) {
    std::string name;
    if (is_positional) {
      name = shown_type_name(*option);
    } else {
      name = option->get_name(false, true);
      for (std::size_t comma = name.find(','); comma != std::string::npos;
           comma = name.find(',', comma + 2)) {
        name.insert(comma + 1, " ");  // "-o, --output"
      }
      if (option->get_type_size() != 0 && !shown_type_name(*option).empty()) {
        name += ' ' + shown_type_name(*option);
      }
    }
    text += entry(name, option->get_description());
  }
  return text;
}

std::string help_formatter::make_subcommands(const CLI::App* app, CLI::AppFormatMode) const {
  const auto commands = app->get_subcommands({});
  if (commands.empty()) return {};
  std::string text = "\nCommands:\n";
  for (const CLI::App* command : commands) text += entry(command->get_name(), command->get_description());
  return text;
}

}  // namespace cli
