#include "cli/number_input.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli/usage_error.h"

namespace {

using cli::parse_number;

TEST(ParseWavelength, HeaderExamples) {
  EXPECT_EQ(parse_number("600", "w"), 600.0);
  EXPECT_EQ(parse_number(" 489.996 ", "w"), 489.996);
  EXPECT_EQ(parse_number("+5e2", "w"), 500.0);
  EXPECT_EQ(parse_number("-5", "w"), -5.0);
}

TEST(ParseWavelength, RejectsWhatIsNoFiniteNumberAndNamesIt) {
  for (const std::string text : {"600nm", "6,5", "", " ", "nan", "inf", "-inf", "0x10",
                                 "++5", "+-40", "5 5"}) {
    try {
      parse_number(text, "--from");
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const cli::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "--from: \"" + text + "\" is not a number");
    }
  }
}

TEST(ParseWavelength, NumbersBeyondTheDoublesAreOutOfRange) {
  for (const std::string text : {"1e400", "-1e400", "1e-400", "1e999"}) {
    try {
      parse_number(text, "--to");
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const cli::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "--to: \"" + text + "\" is out of range");
    }
  }
}

TEST(ParseWavelength, BytesThatWouldDriveTheTerminalAreEscaped) {
  try {
    parse_number("6\x1b[2J\x9b", "wavelength");
    FAIL();
  } catch (const cli::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "wavelength: \"6\\x1b[2J\\x9b\" is not a number");
  }
}

}  // namespace
