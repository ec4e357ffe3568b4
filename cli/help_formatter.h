// The layout of every command's --help, as a person would write it for an
// 80-column terminal:
//
//   Usage: vollfarbe dominant [options] [-]
//
//   Options:
//     -h, --help                Print this help message and exit
//     --xy X Y                  The colour's chromaticity x y
//
// An option shows its value as its type name says ("X Y", "NAME[,NAME...]"),
// without CLI11's counts (" x 2", " ..."), validator texts (":UINT in [1 -
// 1024]") or a positional's internal name; a positional shows its type name
// alone ("NM... | -"). Descriptions are wrapped at blanks.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace cli {

class help_formatter : public CLI::Formatter {
 public:
  help_formatter();
  std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override;
  std::string make_usage(const CLI::App* app, std::string name) const override;
  std::string make_group(std::string group, bool is_positional,
                         std::vector<const CLI::Option*> opts) const override;
  std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override;

 private:
  // "  NAME    description", the description wrapped in its column.
  std::string entry(const std::string& name, const std::string& description) const;
};

// A positional's or option's value as the help shows it: its type name
// without what CLI11 appends to it ("N:UINT in [1 - 1024]" -> "N").
std::string shown_type_name(const CLI::Option& option);

}  // namespace cli
