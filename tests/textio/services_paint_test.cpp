// A transcript host sees only what is painted: long output between two waits
// must be painted before its first rows scroll away.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "hosts/memory_host.h"
#include "textio/services.h"

namespace {

TEST(services_paint, every_printed_line_is_on_some_painted_screen) {
  hosts::memory_host host("");
  textio::services io(host);
  io.start_services();
  io.open_text_screen();
  for (int i = 1; i <= 100; ++i) {
    io.print_text(textio::target::screen, "line " + std::to_string(i), textio::ending::line_end);
  }
  EXPECT_THROW(io.read_key(), textio::program_ended);

  std::set<std::string> seen;
  for (const auto& shot : host.snapshots()) {
    for (int row = 1; row <= textio::screen::rows; ++row) seen.insert(shot.trimmed_row(row));
  }
  for (int i = 1; i <= 100; ++i) EXPECT_TRUE(seen.count("line " + std::to_string(i))) << i;
}

}  // namespace
