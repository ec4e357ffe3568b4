#include "colour/cgats_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace colour {
namespace {

// A grid of 3 bands with the given data lines.
std::string file_with(const std::string& header, const std::string& data) {
  return "CMF\nDISPLAY\t\"test\"\n" + header + "BEGIN_DATA_FORMAT\n SPEC_400 SPEC_405 SPEC_410\n" +
         "END_DATA_FORMAT\n" + data;
}
const std::string grid = "SPECTRAL_START_NM\t400.0\nSPECTRAL_END_NM\t410.0\nSPECTRAL_BANDS\t3\n";

TEST(CgatsReader, ReadsTheGridAndEverySet) {
  const spectral_table t = read_cgats(file_with(
      grid + "NUMBER_OF_SETS\t2\r\n", "BEGIN_DATA\n 0.1\t2e-3 3\n 4 5.5 6.000001\nEND_DATA\n"));
  EXPECT_EQ(t.start_nm, 400);
  EXPECT_EQ(t.end_nm, 410);
  EXPECT_EQ(t.bands, 3u);
  EXPECT_EQ(t.step_nm(), 5);
  ASSERT_EQ(t.sets.size(), 2u);
  EXPECT_EQ(t.sets[0], (std::vector<double>{0.1, 0.002, 3}));
  EXPECT_EQ(t.sets[1], (std::vector<double>{4, 5.5, 6.000001}));
}

TEST(CgatsReader, AcceptsARepeatedEqualBlock) {
  const std::string block = "BEGIN_DATA\n1 2 3\nEND_DATA\n";
  EXPECT_EQ(read_cgats(file_with(grid, block + block)).sets.size(), 1u);
}

TEST(CgatsReader, KeepsOnlyTheSetsUsedAndCountsTheRest) {
  std::string many = "BEGIN_DATA\n";
  for (int i = 0; i < 1000; ++i) many += "1 2 " + std::to_string(i) + "\n";
  many += "END_DATA\n";
  const spectral_table t = read_cgats(file_with(grid, many + many), 1);
  ASSERT_EQ(t.sets.size(), 1u);
  EXPECT_EQ(t.sets[0], (std::vector<double>{1, 2, 0}));
  EXPECT_EQ(t.sets_in_file, 1000u);
  EXPECT_FALSE(t.has_subnormal);
  EXPECT_TRUE(read_cgats(file_with(grid, "BEGIN_DATA\n1 1e-310 3\nEND_DATA\n"), 1).has_subnormal);
  // A set beyond those kept still has to be well formed.
  EXPECT_THROW(read_cgats(file_with(grid, "BEGIN_DATA\n1 2 3\n1 2\nEND_DATA\n"), 1), cgats_error);
}

struct malformed_case {
  const char* what;
  std::string text;
  std::size_t line;
  const char* message;
};

class MalformedCgats : public testing::TestWithParam<malformed_case> {};

TEST_P(MalformedCgats, NamesTheLineAndTheProblem) {
  const malformed_case& c = GetParam();
  try {
    read_cgats(c.text);
    FAIL() << c.what << ": no error";
  } catch (const cgats_error& e) {
    EXPECT_EQ(e.line(), c.line) << c.what;
    EXPECT_EQ(std::string(e.what()), c.message) << c.what;
  }
}

const std::string data = "BEGIN_DATA\n1 2 3\nEND_DATA\n";

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedCgats,
    testing::Values(
        malformed_case{"missing keyword",
                       file_with("SPECTRAL_START_NM 400\nSPECTRAL_END_NM 410\n", data), 8,
                       "SPECTRAL_BANDS is missing before BEGIN_DATA"},
        malformed_case{"too few values", file_with(grid, "BEGIN_DATA\n1 2\nEND_DATA\n"), 10,
                       "too few values: 2 of SPECTRAL_BANDS 3"},
        malformed_case{"too many values", file_with(grid, "BEGIN_DATA\n1 2 3 4\nEND_DATA\n"), 10,
                       "too many values: more than SPECTRAL_BANDS 3"},
        malformed_case{"no number", file_with(grid, "BEGIN_DATA\n1 0.5x 3\nEND_DATA\n"), 10,
                       "\"0.5x\" is not a number"},
        malformed_case{"control bytes in a value",
                       file_with(grid, std::string("BEGIN_DATA\n1 0.5\0\x1b[2J 3\nEND_DATA\n", 33)),
                       10, "\"0.5\\x00\\x1b[2J\" is not a number"},
        malformed_case{"empty file", "", 1, "the file is empty"},
        malformed_case{"infinity", file_with(grid, "BEGIN_DATA\n1 inf 3\nEND_DATA\n"), 10,
                       "\"inf\" is not a number"},
        malformed_case{"unequal repeated block",
                       file_with(grid, data + "BEGIN_DATA\n1 2 3.5\nEND_DATA\n"), 13,
                       "data block 2 differs from the first"},
        malformed_case{"repeated block with a set more",
                       file_with(grid, data + "BEGIN_DATA\n1 2 3\n1 2 3\nEND_DATA\n"), 14,
                       "data block 2 differs from the first"},
        malformed_case{"unterminated data", file_with(grid, "BEGIN_DATA\n1 2 3\n"), 10,
                       "END_DATA is missing"},
        malformed_case{"no data", file_with(grid, ""), 8, "BEGIN_DATA is missing: the file holds no data"},
        malformed_case{"bands against format",
                       file_with("SPECTRAL_START_NM 400\nSPECTRAL_END_NM 410\nSPECTRAL_BANDS 4\n",
                                 "BEGIN_DATA\n1 2 3 4\nEND_DATA\n"),
                       9, "the data format names 3 fields, SPECTRAL_BANDS says 4"},
        malformed_case{"sets miscounted", file_with(grid + "NUMBER_OF_SETS 3\n", data), 6,
                       "NUMBER_OF_SETS says 3, the data block holds 1"},
        malformed_case{"falling grid",
                       file_with("SPECTRAL_START_NM 410\nSPECTRAL_END_NM 400\nSPECTRAL_BANDS 3\n", data),
                       4, "SPECTRAL_END_NM must lie above SPECTRAL_START_NM"},
        malformed_case{"fractional bands",
                       file_with("SPECTRAL_START_NM 400\nSPECTRAL_END_NM 410\nSPECTRAL_BANDS 2.5\n", data),
                       5, "SPECTRAL_BANDS must be a whole number from 0 to 100000"}),
    [](const testing::TestParamInfo<malformed_case>& param) {
      std::string name = param.param.what;
      for (char& c : name) if (c == ' ') c = '_';
      return name;
    });

}  // namespace
}  // namespace colour
