#include "cli/printable_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(PrintableText, EscapesWhatWouldDriveTheTerminal) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"600", "600"},
      {"gr\xc3\xbcn \xe2\x82\xac \xf0\x9f\x8e\xa8", "gr\xc3\xbcn \xe2\x82\xac \xf0\x9f\x8e\xa8"},
      {"6\x1b[2J", "6\\x1b[2J"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\t\r\n\x7f", "\\x09\\x0d\\x0a\\x7f"},
      {"\x9b" "31m", "\\x9b31m"},                      // 8-bit CSI, no valid UTF-8
      {"\xc2\x9b", "\\xc2\\x9b"},                      // the same as a UTF-8 C1 control
      {"\xc3", "\\xc3"},                               // a sequence cut short
      {"\xc0\xaf \xe0\x80\xaf", "\\xc0\\xaf \\xe0\\x80\\xaf"},  // overlong forms
      {"\xed\xa0\x80", "\\xed\\xa0\\x80"},             // a surrogate
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},    // beyond U+10FFFF
      {"\xef\xbb\xbf" "600", "\\xef\\xbb\\xbf600"},      // a byte-order mark
      {"a\xe2\x80\xae" "b", "a\\xe2\\x80\\xaeb"},          // a right-to-left override
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(cli::printable_text(text), shown) << shown;
}

}  // namespace
