#include "cli/column_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/usage_error.h"

namespace {

// The values of the column, the input handed over `piece` bytes at a time.
std::vector<double> column_of(const std::string& column, std::string_view input, std::size_t piece) {
  cli::column_reader reader(column);
  std::vector<double> values;
  for (std::size_t at = 0;; at += piece) {
    while (const auto value = reader.next()) values.push_back(value->front());
    if (at >= input.size()) break;
    reader.append(input.substr(at, piece));
  }
  reader.finish();
  while (const auto value = reader.next()) values.push_back(value->front());
  return values;
}

// Each value is there as soon as its line is, whatever the pieces: the
// header split across reads, a quoted field with the separator in it.
TEST(ColumnReader, ReadsAColumnAsItArrives) {
  const std::string input = "\xef\xbb\xbf# lab\r\n\"w, nm\",\"R\"\r\n600,1\r\n,\r\n450.5,\"2\"\r\n520,3";
  for (const std::size_t piece : {1u, 2u, 7u, 1000u}) {
    EXPECT_EQ(column_of("w, nm", input, piece), (std::vector<double>{600, 450.5, 520})) << piece;
    EXPECT_EQ(column_of("2", input, piece), (std::vector<double>{1, 2, 3})) << piece;
  }
}

TEST(ColumnReader, SplitsQuotedFields) {
  std::vector<std::string> fields;
  cli::split_fields("a,\"b,\"\"c\"\"\", ,", ',', fields);
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "b,\"c\"", " ", ""}));
}

TEST(ColumnReader, RefusesALongLineBeforeItsEnd) {
  cli::column_reader reader("nm");
  reader.append("nm\n600\n" + std::string(cli::text_lines::longest_line + 1, '5'));
  EXPECT_EQ(reader.next()->front(), 600);
  EXPECT_THROW(reader.next(), cli::usage_error);
}

}  // namespace
