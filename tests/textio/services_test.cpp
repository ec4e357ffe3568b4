#include "textio/services.h"

#include <gtest/gtest.h>

#include "../support/temp_directory.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <string>
#include <unistd.h>

#include "hosts/memory_host.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using textio::ending;
using hosts::memory_host;
using textio::program_ended;
using textio::services;
using textio::target;

// Runs `dialogue` on a fresh services object over `host`; returns the end
// status, or -1 when the dialogue returned without ending the program.
int run(memory_host& host, const std::function<void(services&)>& dialogue) {
  services io(host);
  io.start_services();
  io.open_text_screen();
  try {
    dialogue(io);
  } catch (const program_ended& end) {
    return end.status;
  }
  return -1;
}

std::string trimmed(const services& io, int row) {
  std::string text = io.text_screen().row_text(row);
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

using TempDir = test_support::temp_directory_test;

TEST(InputNumber, EntriesThroughTheKeyboard) {
  const double inf = std::numeric_limits<double>::infinity();
  struct {
    std::string keys;
    double value;
  } const cases[] = {
      {"\r", 0},        {"abc\r", 0},        {"493,8\r", 493},     {"493.8 nm\r", 493.8},
      {"  -5\r", -5},   {"1d3\r", 1000},     {"&H1F\r", 31},       {"\"600\"\r", 600},
      {"1e400\r", inf}, {"inf\r", 0},        {"0x1d\r", 0},        {"600\n", 600},
      {"6OO\b\b00\r", 600},  // corrected while typing
  };
  for (const auto& c : cases) {
    memory_host host(c.keys);
    double value = -1;
    EXPECT_EQ(run(host, [&](services& io) { value = io.input_number("", true, true); }), -1);
    EXPECT_EQ(value, c.value) << c.keys;
  }
}

TEST(InputInteger, RoundsTiesToEven) {
  struct {
    const char* keys;
    std::int32_t value;
  } const cases[] = {{"1.5\r", 2}, {"2.5\r", 2}, {"-1.5\r", -2}, {"x\r", 0}, {"\r", 0}, {"1\r", 1},
                     {"9999999999\r", 2147483647}};
  for (const auto& c : cases) {
    memory_host host(c.keys);
    std::int32_t value = -1;
    run(host, [&](services& io) { value = io.input_integer("", true, true); });
    EXPECT_EQ(value, c.value) << c.keys;
  }
}

TEST(InputNumber, PromptEchoAndLineEndOnTheScreen) {
  memory_host host("12\xffK3\r7\r");
  services* seen = nullptr;
  double first = 0, second = 0;
  run(host, [&](services& io) {
    seen = &io;
    first = io.input_number("", true, true);
    second = io.input_number(" Korrekturbetrag f\x81r le oder lc: k= ", false, false);
    EXPECT_EQ(trimmed(io, 1), "? 132");
    EXPECT_EQ(trimmed(io, 2), " Korrekturbetrag f\x81r le oder lc: k= 7");
    // Without a line end the cursor stays after the entry.
    EXPECT_EQ(io.text_screen().cursor_row(), 2);
    EXPECT_EQ(io.text_screen().cursor_column(), 38);
    EXPECT_FALSE(io.text_screen().cursor_visible());
  });
  EXPECT_EQ(first, 132);
  EXPECT_EQ(second, 7);
  // Painted before each key was awaited, with the cursor mark on the entry.
  ASSERT_FALSE(host.snapshots().empty());
  const auto& at_start = host.snapshots().front();
  EXPECT_EQ(at_start.trimmed_row(1), "?");
  EXPECT_TRUE(at_start.cursor_visible);
  EXPECT_EQ(at_start.cursor_column, 3);
  const auto& after_left = host.snapshots()[3];  // "1", "2", Left typed
  EXPECT_EQ(after_left.trimmed_row(1), "? 12");
  EXPECT_EQ(after_left.cursor_column, 4);
  for (const auto wait : host.waits()) EXPECT_EQ(wait, 25ms);
}

TEST(InputNumber, DeleteAtTheEndBeepsThroughTheHost) {
  memory_host host("5\xffS\r");
  run(host, [](services& io) { io.input_number("", true, true); });
  EXPECT_EQ(host.beeps(), 1);
}

TEST(ReadKey, ReturnsOneExactByte) {
  memory_host host("qQ");
  run(host, [](services& io) {
    const std::string first = io.read_key();
    const std::string second = io.read_key();
    EXPECT_EQ(first, "q");
    EXPECT_EQ(second, "Q");
    EXPECT_NE(first, second);
  });
}

TEST(ReadKey, CarriesTheSecondByteAcrossALineEntry) {
  // Left, then an entry of "12": the entry reads the queue, the carried "K"
  // comes back at once (the host has no keys left, so waiting would end).
  memory_host host("\xffK" "12\r");
  std::string first, second;
  double entry = 0;
  const int status = run(host, [&](services& io) {
    first = io.read_key();
    entry = io.input_number("", true, true);
    second = io.read_key();
  });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(first, "\xff");
  EXPECT_EQ(entry, 12);
  EXPECT_EQ(second, "K");
}

TEST(ReadKey, SixteenKeysTypedAheadLoseTheFirst) {
  memory_host host("abcdefghijklmnop", 16);
  std::string read;
  const int status = run(host, [&](services& io) {
    for (;;) read += io.read_key();
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(read, "bcdefghijklmnop");
}

TEST(WaitForKeyPress, OnlyAKeyAfterTheLastTakeEndsTheWait) {
  struct {
    const char* keys;
    std::size_t per_wait;
    bool wait_ends;
  } const cases[] = {
      {"a", 1, false},   // read_key took the only key
      {"ab", 2, false},  // "b" was queued before "a" was taken
      {"abc", 2, true},  // "c" arrives during the wait
  };
  for (const auto& c : cases) {
    memory_host host(c.keys, c.per_wait);
    bool returned = false;
    const int status = run(host, [&](services& io) {
      EXPECT_EQ(io.read_key(), "a");
      io.wait_for_key_press();
      returned = true;
      EXPECT_EQ(io.read_key(), "b");  // the wait took nothing
    });
    EXPECT_EQ(returned, c.wait_ends) << c.keys;
    EXPECT_EQ(status, c.wait_ends ? -1 : 0) << c.keys;
    EXPECT_EQ(host.waits().back(), 50ms) << c.keys;
  }
}

TEST(WaitForKeyPress, ClearsTheFlagWhenItReturns) {
  memory_host host("abcd", 2);
  int waits_ended = 0;
  const int status = run(host, [&](services& io) {
    io.read_key();             // a, b arrive; a taken
    io.wait_for_key_press();   // c, d arrive
    ++waits_ended;
    io.wait_for_key_press();   // nothing new: the host ends the run
    ++waits_ended;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(waits_ended, 1);
}

TEST(Services, HostStatusEndsTheProgram) {
  memory_host host("12");
  host.set_end_status(130);
  EXPECT_EQ(run(host, [](services& io) { io.input_number("", true, true); }), 130);
  EXPECT_EQ(host.closes(), 1);
  EXPECT_EQ(host.opens(), 1);
}

TEST(Services, BellOnTheScreenBeeps) {
  memory_host host("");
  run(host, [](services& io) {
    io.print_text(target::screen, "\a\a", ending::none);
    io.print_text(target::report_file, "\a", ending::none);  // not open: nothing
  });
  EXPECT_EQ(host.beeps(), 2);
}

TEST(Services, ClearScreenPaintsFirst) {
  memory_host host("");
  run(host, [](services& io) {
    io.print_text(target::screen, "Titel", ending::line_end);
    io.clear_screen();
    EXPECT_EQ(trimmed(io, 1), "");
  });
  ASSERT_EQ(host.snapshots().size(), 1u);
  EXPECT_EQ(host.snapshots()[0].trimmed_row(1), "Titel");
}

using ReportFileThroughServices = TempDir;

TEST_F(ReportFileThroughServices, BytesExactlyAsPrinted) {
  const std::string file = path("vollfarb.txt");
  memory_host host("");
  const int status = run(host, [&](services& io) {
    EXPECT_EQ(io.open_report_file(file, 1), 0);
    EXPECT_EQ(io.open_report_file(file, 1), 1);  // already open
    io.print_text(target::report_file, "\r", ending::line_end);
    io.print_text(target::report_file, " l= ", ending::none);
    io.print_number(target::report_file, 571.209, ending::line_end);
    io.print_number(target::report_file, -1e-7, ending::none);
    io.print_line_end(target::report_file);
    io.print_text(target::report_file, "Wellenl\x84nge", ending::none);
    io.print_text(target::screen, "\r", ending::line_end);
    io.end_program(0);
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(contents(file), "\r\r\n l=  571.2089999999999\r\n-1e-007\r\nWellenl\x84nge");
  EXPECT_EQ(host.closes(), 1);
  ASSERT_FALSE(host.snapshots().empty());
  EXPECT_EQ(host.snapshots().back().cursor_row, 2);  // CR, CR LF on the screen
}

TEST_F(ReportFileThroughServices, CompleteOnDiskWhenTheHostEndsTheRun) {
  const std::string file = path("vollfarb.txt");
  memory_host host("");
  const std::string block(10000, 'x');
  const int status = run(host, [&](services& io) {
    io.open_report_file(file, 1);
    io.print_text(target::report_file, block, ending::line_end);
    io.read_key();
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(contents(file), block + "\r\n");
}

TEST_F(ReportFileThroughServices, UncreatableFileChangesNothingOnTheScreen) {
  const auto session = [&](const std::string& name) {
    memory_host host("4\r");
    std::array<std::string, 30> rows;
    int open_status = -1;
    std::optional<std::string> problem;
    const int status = run(host, [&](services& io) {
      open_status = io.open_report_file(name, 1);
      io.print_text(target::screen, "Titel", ending::line_end);
      io.print_text(target::report_file, "Titel", ending::line_end);
      io.input_number("", true, true);
      io.print_number(target::report_file, 4, ending::line_end);
      for (int r = 1; r <= 30; ++r) rows[static_cast<std::size_t>(r - 1)] = io.text_screen().row_text(r);
      problem = io.report_file_problem();
      io.end_program(0);
    });
    EXPECT_EQ(status, 0);
    return std::tuple{open_status, rows, problem};
  };
  const auto [good_status, good_rows, good_problem] = session(path("vollfarb.txt"));
  const auto [bad_status, bad_rows, bad_problem] = session(path("missing/vollfarb.txt"));
  EXPECT_EQ(good_status, 0);
  EXPECT_EQ(bad_status, 2);
  EXPECT_EQ(good_rows, bad_rows);
  EXPECT_FALSE(good_problem);
  EXPECT_EQ(bad_problem, "could not create " + path("missing/vollfarb.txt") + ": No such file or directory");
}

TEST(Services, ReportFileNumbersOutsideTheRangeAreRefused) {
  memory_host host("");
  run(host, [](services& io) {
    EXPECT_EQ(io.open_report_file("unused.txt", 0), 1);
    EXPECT_EQ(io.open_report_file("unused.txt", 256), 1);
  });
  EXPECT_FALSE(fs::exists("unused.txt"));
}

}  // namespace
