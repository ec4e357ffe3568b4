#include "table/wavelength_input.h"

#include <gtest/gtest.h>

#include <string>

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
  for (const std::string text : {"600nm", "6,5", "", " ", "nan", "inf", "-inf", "1e999", "0x10",
                                 "++5", "5 5"}) {
    try {
      parse_wavelength(text, "--from");
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const table::usage_error& e) {
      EXPECT_EQ(std::string(e.what()), "--from: \"" + text + "\" is not a number");
    }
  }
}

TEST(ParseWavelength, ControlBytesInTheMessageAreMasked) {
  try {
    parse_wavelength("6\x1b[2J", "wavelength");
    FAIL();
  } catch (const table::usage_error& e) {
    EXPECT_EQ(std::string(e.what()), "wavelength: \"6?[2J\" is not a number");
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

}  // namespace
