#include "hosts/piped_host.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

namespace hosts {
namespace {

using namespace std::chrono_literals;

// A pipe already holding the whole input, its write end closed.
class input_pipe {
 public:
  explicit input_pipe(std::string_view bytes) {
    EXPECT_EQ(::pipe(fds_), 0);
    EXPECT_EQ(::write(fds_[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(fds_[1]);
  }
  ~input_pipe() { ::close(fds_[0]); }
  int fd() const { return fds_[0]; }

 private:
  int fds_[2] = {-1, -1};
};

class transcript_file {
 public:
  transcript_file() : file_(std::tmpfile()) {}
  ~transcript_file() { std::fclose(file_); }
  std::FILE* get() const { return file_; }
  std::string text() const {
    std::fflush(file_);
    std::rewind(file_);
    std::string out;
    for (int c; (c = std::fgetc(file_)) != EOF;) out.push_back(static_cast<char>(c));
    return out;
  }

 private:
  std::FILE* file_;
};

TEST(PipedHost, ReadsOneKeyPerWaitAndEndsWithStatusZero) {
  input_pipe in("6\r\xFFK\xFF");
  transcript_file out;
  piped_host host(in.fd(), out.get());
  key_queue keys;
  const key_code expected[] = {key_code::character('6'), key_code::character('\r'),
                               key_code::special('K'), key_code::character(255)};
  for (const auto& key : expected) {
    ASSERT_EQ(host.wait_for_keys(keys, 25ms), std::nullopt);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys.take(), key);
  }
  EXPECT_EQ(host.wait_for_keys(keys, 25ms), 0);
  EXPECT_EQ(host.wait_for_keys(keys, 25ms), 0);
  EXPECT_TRUE(keys.empty());
}

TEST(PipedHost, EndSignalsEndTheWaitWithTheirStatus) {
  const struct {
    int signal_number;
    int status;
  } cases[] = {{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}};
  for (const auto& c : cases) {
    input_pipe in("xyz");
    transcript_file out;
    piped_host host(in.fd(), out.get());
    key_queue keys;
    std::raise(c.signal_number);
    EXPECT_EQ(host.wait_for_keys(keys, 25ms), c.status);
    EXPECT_TRUE(keys.empty());
  }
}

struct transcript_case {
  const char* name;
  void (*script)(screen&, host&);
  const char* expected;
};

const transcript_case transcript_cases[] = {
    {"complete rows only at a paint, the cursor row at close",
     [](screen& s, host& h) {
       s.write("   Wellenl\x84nge\r\n Eingabe:? ");
       h.paint(s);
     },
     "   Wellenlänge\n Eingabe:?\n"},
    {"each row once across paints, blank rows kept",
     [](screen& s, host& h) {
       s.write("a\r\n\r\n");
       h.paint(s);
       h.paint(s);
       s.write("b   \r\n");
       h.paint(s);
     },
     "a\n\nb\n"},
    {"the cursor row written when a clear takes it away",
     [](screen& s, host& h) {
       s.write("eins\r\nTaste? ");
       h.paint(s);
       s.clear();
       s.write("zwei\r\n");
       h.paint(s);
     },
     "eins\nTaste?\nzwei\n"},
    {"scrolling keeps every row in order",
     [](screen& s, host& h) {
       for (int i = 1; i <= 40; ++i) {
         s.write(std::to_string(i) + "\r\n");
         h.paint(s);
       }
     },
     "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20\n"
     "21\n22\n23\n24\n25\n26\n27\n28\n29\n30\n31\n32\n33\n34\n35\n36\n37\n38\n39\n40\n"},
    {"an empty cursor row adds nothing at close",
     [](screen& s, host& h) {
       s.write("x\r\n");
       h.paint(s);
     },
     "x\n"},
    {"a line entry echoed in place appears once with its text",
     [](screen& s, host& h) {
       s.write(" Eingabe der Grenzwellenl\x84nge:? ");
       h.paint(s);
       s.write("600");
       h.paint(s);
       s.write("\r\n");
       h.paint(s);
     },
     " Eingabe der Grenzwellenlänge:? 600\n"},
};

TEST(PipedHost, TranscriptShowsEachCompletedRowOnce) {
  for (const auto& c : transcript_cases) {
    input_pipe in("");
    transcript_file out;
    piped_host host(in.fd(), out.get());
    screen cells;
    host.open(cells);
    c.script(cells, host);
    host.close();
    host.close();
    EXPECT_EQ(out.text(), c.expected) << c.name;
  }
}

TEST(PipedHost, AFailedTranscriptWriteIsKept) {
  input_pipe in("");
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  piped_host host(in.fd(), full);
  screen cells;
  host.open(cells);
  EXPECT_EQ(host.transcript_error(), 0);
  cells.write("600\r\n");
  host.paint(cells);
  host.close();
  EXPECT_EQ(host.transcript_error(), ENOSPC);
  std::fclose(full);
}

TEST(PipedHost, TranscriptLine) {
  EXPECT_EQ(transcript_line(std::string("ab\0c  ", 6)), "ab c");
  EXPECT_EQ(transcript_line("  "), "");
  EXPECT_EQ(transcript_line("l\x84nge"), "länge");
  EXPECT_EQ(transcript_line("\x01\xC4\xDB"), "☺─█");
}

}  // namespace
}  // namespace hosts
