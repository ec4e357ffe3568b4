#include "cli/number_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/usage_error.h"

namespace {

using cli::parse_number_lines;
using numbers = std::vector<double>;

numbers next_of(cli::number_lines& lines) {
  const auto n = lines.next();
  return n ? numbers(n->begin(), n->end()) : numbers{};
}

std::string error_of(std::string_view text) {
  try {
    parse_number_lines(text);
  } catch (const cli::usage_error& e) {
    return e.what();
  }
  return "";
}

TEST(NumberLines, SkipsBlankLinesAndCommentsAndAcceptsCrLf) {
  EXPECT_EQ(parse_number_lines("600\n\n 520 \r\n# a note\n  #600\n720"), (numbers{600, 520, 720}));
  EXPECT_TRUE(parse_number_lines("\n  \n#\n").empty());
}

TEST(NumberLines, SeparatesNumbersByBlanksTabsAndCommas) {
  cli::number_lines lines;
  lines.append("0.3 0.4\n0.3,0.4\n31\t32, 33\n450,\n");
  lines.finish();
  EXPECT_EQ(next_of(lines), (numbers{0.3, 0.4}));
  EXPECT_EQ(next_of(lines), (numbers{0.3, 0.4}));
  EXPECT_EQ(next_of(lines), (numbers{31, 32, 33}));
  EXPECT_EQ(next_of(lines), (numbers{450}));
  EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(NumberLines, NamesTheFirstBadLine) {
  EXPECT_EQ(error_of("600\n\n700x\nabc\n"), "stdin line 3: \"700x\" is not a number");
  EXPECT_EQ(error_of("600 450\n"), "stdin line 1: one number a line, not 2");
  EXPECT_EQ(error_of("1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1"),
            "stdin line 1: more than 16 numbers");
  // A byte-order mark counts only at the start; elsewhere it is quoted escaped.
  EXPECT_EQ(parse_number_lines("\xef\xbb\xbf" "600\n"), numbers{600});
  EXPECT_EQ(error_of("600\n\xef\xbb\xbf" "520\n"), "stdin line 2: \"\\xef\\xbb\\xbf520\" is not a number");
  EXPECT_EQ(error_of("\xef\xbb"), "stdin line 1: \"\\xef\\xbb\" is not a number");
}

// Lines arrive in pieces; each line's numbers are there as soon as it is.
TEST(NumberLines, ReadAsTheyArrive) {
  cli::number_lines lines;
  lines.append("\xef\xbb");  // a byte-order mark, split
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.append("\xbf" "600\n5");
  EXPECT_EQ(next_of(lines), numbers{600});
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.append("20\r\n\n  \n7");
  EXPECT_EQ(next_of(lines), numbers{520});
  EXPECT_EQ(lines.line_number(), 2u);
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.finish();
  EXPECT_EQ(next_of(lines), numbers{7});  // the last line needs no line end
  EXPECT_EQ(lines.line_number(), 5u);
  EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(NumberLines, AnEndlessLineIsRefusedBeforeItsEnd) {
  cli::number_lines lines;
  lines.append("600\n");
  lines.append(std::string(cli::number_lines::longest_line + 1, '5'));
  EXPECT_EQ(next_of(lines), numbers{600});
  try {
    lines.next();
    FAIL();
  } catch (const cli::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "stdin line 2 is longer than 4096 bytes");
  }
}

}  // namespace
