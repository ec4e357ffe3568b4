#include <gtest/gtest.h>

#include <string>

#include "diagram/svg_canvas.h"

namespace diagram {
namespace {

TEST(SvgText, OnlyCharactersXmlAllowsAreWritten) {
  const std::string replacement = "\xef\xbf\xbd";
  const struct {
    std::string given, written;
  } cases[] = {
      {"Vollfarben \xc3\xa4 \xe2\x80\x93 \xf0\x9f\x8e\xa8", "Vollfarben \xc3\xa4 \xe2\x80\x93 \xf0\x9f\x8e\xa8"},
      {"tab\tnew\nline\r", "tab\tnew\nline\r"},
      {std::string("a\x01" "b\x1b" "c\0d", 7), "a" + replacement + "b" + replacement + "c" + replacement + "d"},
      {"\xff\xfe", replacement + replacement},
      {"\xc0\xaf", replacement + replacement},              // an overlong "/"
      {"\xed\xa0\x80", replacement + replacement + replacement},  // a surrogate
      {"\xef\xbf\xbe", replacement + replacement + replacement},  // U+FFFE
      {"cut \xe2\x80", "cut " + replacement + replacement},
  };
  for (const auto& c : cases) EXPECT_EQ(xml_character_data(c.given), c.written) << c.given;
  EXPECT_EQ(xml_escaped("a<b\x01"), "a&lt;b" + replacement);
}

}  // namespace
}  // namespace diagram
