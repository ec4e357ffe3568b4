#include "app/command_suggestion.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace app {
namespace {

// Edits (insert, delete, replace, swap of neighbours) from a to b.
std::size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
  for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> unknown_command(int argc, char** argv,
                                           std::span<const cli::command> commands) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i] != nullptr ? argv[i] : "";
    if (word.starts_with('-')) continue;
    std::string names;
    std::string_view nearest;
    std::size_t nearest_distance = 3;  // further than two edits is no typo
    for (const cli::command& c : commands) {
      if (c.name.empty()) continue;
      if (c.name == word) return std::nullopt;
      names += (names.empty() ? "" : ", ") + std::string(c.name);
      // Long words are compared as typed: a 200-byte argument is no typo.
      const std::size_t distance = word.size() > 32 ? nearest_distance : edit_distance(word, c.name);
      if (distance < nearest_distance) {
        nearest_distance = distance;
        nearest = c.name;
      }
    }
    std::string message = "unknown command '" + std::string(word) + "'";
    if (!nearest.empty()) return message + "; did you mean '" + std::string(nearest) + "'?";
    return message + "; the commands are " + names;
  }
  return std::nullopt;
}

}  // namespace app
