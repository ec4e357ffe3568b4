// Runs the whole dialogue on the memory host inside a private temporary
// directory, so that each run finds and leaves its own vollfarb.txt.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "../support/temp_directory.h"
#include "colour/legacy/legacy_model.h"
#include "dialogue/dialogue.h"
#include "hosts/memory_host.h"

namespace dialogue_test {

namespace fs = std::filesystem;

struct run_result {
  int status = -1;
  std::string report;  // bytes of vollfarb.txt ("" when absent)
  std::vector<hosts::memory_host::snapshot> snapshots;
  std::optional<std::string> report_problem;
  std::size_t keys_left = 0;

  // The report split at CR LF (the closing line's lone CR stays in its line).
  std::vector<std::string> report_lines() const {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
      lines.push_back(report.substr(start, end - start));
    }
    if (start < report.size()) lines.push_back(report.substr(start));
    return lines;
  }

  static bool shows(const hosts::memory_host::snapshot& shot, std::string_view text) {
    for (int row = 1; row <= textio::screen::rows; ++row) {
      if (shot.trimmed_row(row).find(text) != std::string::npos) return true;
    }
    return false;
  }

  // The first painted screen on which some row holds `text`.
  const hosts::memory_host::snapshot* first_showing(std::string_view text) const {
    for (const auto& shot : snapshots) {
      if (shows(shot, text)) return &shot;
    }
    return nullptr;
  }

  // The last painted screen that holds `text` before one holds `next`: for
  // `text` the end of a pass and `next` the menu, the screen at the pause.
  const hosts::memory_host::snapshot* last_showing_before(std::string_view text,
                                                          std::string_view next) const {
    const hosts::memory_host::snapshot* found = nullptr;
    for (const auto& shot : snapshots) {
      if (shows(shot, next)) break;
      if (shows(shot, text)) found = &shot;
    }
    return found;
  }
};

class in_temp_dir : public test_support::temp_directory_test {
 protected:
  void SetUp() override {
    temp_directory_test::SetUp();
    home_ = fs::current_path();
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(home_);
    temp_directory_test::TearDown();
  }

  static run_result run(std::string_view keys) {
    hosts::memory_host host(keys);
    textio::services io(host);
    run_result result;
    result.status = dialogue::run_dialogue(io, colour::legacy_model());
    result.report = contents("vollfarb.txt");
    result.snapshots = host.snapshots();
    result.report_problem = io.report_file_problem();
    result.keys_left = host.keys_left();
    return result;
  }

 private:
  fs::path home_;
};

}  // namespace dialogue_test
