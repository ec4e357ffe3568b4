#include "table/wavelength_input.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "table/usage_error.h"

namespace {

using table::parse_wavelength;
using table::parse_wavelength_lines;

TEST(ParseWavelength, HeaderExamples) {
  EXPECT_EQ(parse_wavelength("600", "w"), 600.0);
  EXPECT_EQ(parse_wavelength(" 489.996 ", "w"), 489.996);
  EXPECT_EQ(parse_wavelength("+5e2", "w"), 500.0);
  EXPECT_EQ(parse_wavelength("-5", "w"), -5.0);
}

TEST(ParseWavelength, RejectsWhatIsNoFiniteNumberAndNamesIt) {
  for (const std::string text : {"600nm", "6,5", "", " ", "nan", "inf", "-inf", "0x10",
                                 "++5", "+-40", "5 5"}) {
    try {
      parse_wavelength(text, "--from");
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const table::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "--from: \"" + text + "\" is not a number");
    }
  }
}

TEST(ParseWavelength, NumbersBeyondTheDoublesAreOutOfRange) {
  for (const std::string text : {"1e400", "-1e400", "1e-400", "1e999"}) {
    try {
      parse_wavelength(text, "--to");
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const table::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "--to: \"" + text + "\" is out of range");
    }
  }
}

TEST(ParseWavelength, BytesThatWouldDriveTheTerminalAreEscaped) {
  try {
    parse_wavelength("6\x1b[2J\x9b", "wavelength");
    FAIL();
  } catch (const table::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "wavelength: \"6\\x1b[2J\\x9b\" is not a number");
  }
}

TEST(WavelengthLines, SkipsBlankLinesAndAcceptsCrLf) {
  EXPECT_EQ(parse_wavelength_lines("600\n\n 520 \r\n720"),
            (std::vector<double>{600, 520, 720}));
  EXPECT_TRUE(parse_wavelength_lines("\n  \n").empty());
}

TEST(WavelengthLines, NamesTheFirstBadLine) {
  try {
    parse_wavelength_lines("600\n\n700x\nabc\n");
    FAIL();
  } catch (const table::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "stdin line 3: \"700x\" is not a number");
  }
}

// Lines arrive in pieces; each wavelength is there as soon as its line is.
TEST(WavelengthLines, ReadAsTheyArrive) {
  table::wavelength_lines lines;
  lines.append("\xef\xbb");  // a byte-order mark, split
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.append("\xbf" "600\n5");
  EXPECT_EQ(lines.next(), 600.0);
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.append("20\r\n\n  \n7");
  EXPECT_EQ(lines.next(), 520.0);
  EXPECT_EQ(lines.line_number(), 2u);
  EXPECT_EQ(lines.next(), std::nullopt);
  lines.finish();
  EXPECT_EQ(lines.next(), 7.0);  // the last line needs no line end
  EXPECT_EQ(lines.line_number(), 5u);
  EXPECT_EQ(lines.next(), std::nullopt);
}

TEST(WavelengthLines, AByteOrderMarkCountsOnlyAtTheStart) {
  EXPECT_EQ(parse_wavelength_lines("\xef\xbb\xbf" "600\n"), std::vector<double>{600});
  EXPECT_THROW(parse_wavelength_lines("600\n\xef\xbb\xbf" "520\n"), table::usage_error);
  EXPECT_THROW(parse_wavelength_lines("\xef\xbb"), table::usage_error);
}

TEST(WavelengthLines, AnEndlessLineIsRefusedBeforeItsEnd) {
  table::wavelength_lines lines;
  lines.append("600\n");
  lines.append(std::string(table::wavelength_lines::longest_line + 1, '5'));
  EXPECT_EQ(lines.next(), 600.0);
  try {
    lines.next();
    FAIL();
  } catch (const table::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "stdin line 2 is longer than 4096 bytes");
  }
}

}  // namespace
