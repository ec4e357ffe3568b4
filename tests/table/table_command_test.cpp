#include "table/table_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "command_rows/table_columns.h"
#include "tests/support/double_precision_x87.h"
#include "cli/usage_error.h"

#include "colour/legacy/legacy_model.h"

namespace {

const colour::model* const legacy_only[] = {&colour::legacy_model()};

// Runs the command with `stdin_text` as stdin; returns what it wrote. A
// usage_error leaves `written` as whatever reached the output (must be none).
struct run_result {
  int status = -1;
  std::string written;
  std::string error;
};

run_result run(const table::table_options& options, const std::string& stdin_text = "") {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::fwrite(stdin_text.data(), 1, stdin_text.size(), in);
  std::rewind(in);
  run_result r;
  try {
    r.status = table::run_table(options, legacy_only, in, out);
  } catch (const cli::usage_error& e) {
    r.error = e.what();
  }
  std::fflush(out);
  std::rewind(out);
  char chunk[4096];
  std::size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, out)) > 0) r.written.append(chunk, n);
  std::fclose(in);
  std::fclose(out);
  return r;
}

table::table_options listing(std::vector<std::string> wavelengths, std::string format = "csv") {
  table::table_options o;
  o.wavelengths = std::move(wavelengths);
  o.format = std::move(format);
  return o;
}

std::vector<std::vector<std::string>> split(const std::string& text, char separator) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = line.find(separator, start)) != std::string::npos; start = end + 1) {
      fields.push_back(line.substr(start, end - start));
    }
    fields.push_back(line.substr(start));
    rows.push_back(fields);
  }
  return rows;
}

std::string dialogue_text(const std::string& field) {
  char text[40];
  std::snprintf(text, sizeof text, "%.16g", std::strtod(field.c_str(), nullptr));
  return text;
}

// The dialogue prints these for an entry of 600 nm; the CSV row must carry
// the very same doubles.
TEST(TableCommand, Row600CarriesTheDialoguesDoubles) {
  const auto r = run(listing({"600"}));
  ASSERT_EQ(r.status, 0);
  const auto rows = split(r.written, ',');
  ASSERT_EQ(rows.size(), 2u);
  const auto& header = rows[0];
  const auto& row = rows[1];
  ASSERT_EQ(header.size(), row.size());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"wavelength", "600"},
      {"l", "489.996"},
      {"lc", "600"},
      {"first_X", "45.67611650968549"},
      {"first_Y", "78.25403911460552"},
      {"first_Z", "7.434159721629669"},
      {"first_moment", "77.95"},
      {"first_x", "0.3477056641250473"},
      {"first_y", "0.5957024090487569"},
      {"second_X", "54.32388349031451"},
      {"second_Y", "21.74596088539449"},
      {"second_Z", "92.56584027837033"},
      {"second_moment", "77.95"},
      {"second_x", "0.3221375333562914"},
      {"second_y", "0.1289523088188704"},
      {"first_l1", "556.84"},
      {"first_l2", "-556.84"},
  };
  for (const auto& [column, text] : expected) {
    const auto at = std::find(header.begin(), header.end(), column);
    ASSERT_NE(at, header.end()) << column;
    EXPECT_EQ(dialogue_text(row[static_cast<std::size_t>(at - header.begin())]), text) << column;
  }
  EXPECT_EQ(row[1], "middle");
  EXPECT_EQ(row[18], "");  // second_l1: the middle-gap pigment has none
  EXPECT_EQ(row[19], "");
}

// 520 nm lies in the green range: no partner, the end pigments instead, and
// the two end pigments are complementary.
TEST(TableCommand, GreenRangeRowShowsTheEndPigments) {
  const auto r = run(listing({"520"}));
  const auto row = split(r.written, ',').at(1);
  EXPECT_EQ(row[1], "end");
  EXPECT_EQ(row[2], "0");
  EXPECT_EQ(row[3], "520");
  EXPECT_EQ(row[4], "16.8885");  // T(520) is a row of the cumulative table
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::strtod(row[10 + i].c_str(), nullptr),
              100.0 - std::strtod(row[4 + i].c_str(), nullptr));
  }
  EXPECT_EQ(row[7], row[13]);    // equal colour moments
  EXPECT_EQ(row[16], "476.476");
  EXPECT_EQ(row[17], "577.682");
  EXPECT_EQ(row[18], row[17]);   // each pigment's l1 is the other's l2
  EXPECT_EQ(row[19], row[16]);
}

TEST(TableCommand, RowAbove700PairsWith699999) {
  const auto row = split(run(listing({"720"})).written, ',').at(1);
  EXPECT_EQ(row[1], "middle");
  EXPECT_EQ(row[2], "699.999");
  EXPECT_EQ(row[3], "720");
  EXPECT_EQ(row[16], "-493.906");  // the middle pigment is a purple
  EXPECT_EQ(row[17], "");          // its l2 has no table row: NaN, an empty field
}

// Every field reads back to the double the colour model computed.
TEST(TableCommand, CsvAndTsvReadBackExactly) {
  for (const auto& [format, separator] : {std::pair{"csv", ','}, std::pair{"tsv", '\t'}}) {
    const table::table_options o{"380", "770", "2.5", {}, format};
    const auto rows = split(run(o).written, separator);
    ASSERT_EQ(rows.size(), 158u);
    ASSERT_EQ(rows[0].size(), table::table_column_names.size());
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const auto expected = table::compute_table_row(380 + 2.5 * static_cast<double>(i - 1), colour::legacy_model());
      EXPECT_EQ(rows[i][1], expected.path);
      for (std::size_t c = 0; c < expected.numbers.size(); ++c) {
        const std::string& field = rows[i][c == 0 ? 0 : c + 1];
        if (std::isnan(expected.numbers[c])) {
          EXPECT_EQ(field, "");
        } else {
          EXPECT_EQ(std::strtod(field.c_str(), nullptr), expected.numbers[c])
              << format << " row " << i << " column " << c;
        }
      }
    }
  }
}

TEST(TableCommand, DefaultRangeIs380To770ByOne) {
  const auto rows = split(run(table::table_options{}).written, ',');
  ASSERT_EQ(rows.size(), 392u);
  EXPECT_EQ(rows[1][0], "380");
  EXPECT_EQ(rows.back()[0], "770");
}

TEST(TableCommand, JsonFormats) {
  const auto json = run(listing({"600", "520"}, "json")).written;
  EXPECT_TRUE(json.starts_with("[\n{\"wavelength\":600,\"path\":\"middle\",\"l\":489.996,"));
  EXPECT_NE(json.find("\"second_l1\":null,\"second_l2\":null},\n{\"wavelength\":520"),
            std::string::npos);
  EXPECT_EQ(json.substr(json.size() - 4), "}\n]\n");
  const auto lines = run(listing({"600", "520"}, "jsonl")).written;
  EXPECT_TRUE(lines.starts_with("{\"wavelength\":600,"));
  EXPECT_NE(lines.find("null}\n{\"wavelength\":520,\"path\":\"end\""), std::string::npos);
  EXPECT_EQ(lines.back(), '\n');
}

TEST(TableCommand, ABadStdinLineEndsTheTableAfterCompleteRows) {
  const auto good = run(listing({"-"}), "600\n520\n");
  EXPECT_EQ(split(good.written, ',').size(), 3u);
  const auto bad = run(listing({"-"}), "600\n520\nsechshundert\n700\n");
  EXPECT_EQ(bad.error, "stdin line 3: \"sechshundert\" is not a number");
  EXPECT_EQ(bad.written, good.written);
  auto strict = listing({"-"}, "jsonl");
  strict.strict = true;
  const auto outside = run(strict, "600\n300\n");
  EXPECT_EQ(outside.error,
            "--strict: stdin line 2: 300 lies outside the tables' range 380 to 770 nm");
  EXPECT_EQ(std::count(outside.written.begin(), outside.written.end(), '\n'), 1);
}

TEST(TableCommand, UsageErrorsWriteNothing) {
  table::table_options mixed = listing({"600"});
  mixed.from = "380";
  table::table_options empty_range;
  empty_range.from = "600";
  empty_range.to = "500";
  const std::vector<std::pair<table::table_options, std::string>> cases = {
      {listing({"600", "7OO"}), "wavelength: \"7OO\" is not a number"},
      {listing({"600"}, "xlsx"), "--format: \"xlsx\" is not csv, tsv, json or jsonl"},
      {listing({"-", "600"}), "\"-\" (read stdin) cannot be mixed with wavelengths"},
      {mixed, "give either --from/--to/--step or wavelengths, not both"},
      {empty_range, "empty range: --from 600 is above --to 500"},
  };
  for (const auto& [options, message] : cases) {
    const auto r = run(options);
    EXPECT_EQ(r.error, message);
    EXPECT_EQ(r.written, "") << message;
  }
  EXPECT_EQ(run(listing({"-"}), "\n\n").error, "stdin: no wavelengths");
}

TEST(TableCommand, AFailedWriteIsReportedWithItsReason) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  testing::internal::CaptureStderr();
  EXPECT_EQ(table::run_table(table::table_options{}, legacy_only, stdin, full), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "vollfarbe table: cannot write the output: No space left on device\n");
  std::fclose(full);
}

// A host process may have set the x87 unit to 53-bit precision; the table
// still prints every digit of the 1 nm table exactly.
TEST(TableCommand, ExactFromAHostsDoublePrecisionSetting) {
  std::ifstream golden_file(std::string(VOLLFARBE_SOURCE_DIR) + "/tests/golden/table_1nm.csv");
  const std::string golden((std::istreambuf_iterator<char>(golden_file)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(golden.empty());
  const test_support::double_precision_x87 host_setting;
  table::table_options options;
  options.format = "csv";
  EXPECT_EQ(run(options).written, golden);
}

}  // namespace

namespace {

table::table_options range_of(std::string from, std::string to, std::string step) {
  table::table_options o;
  o.from = std::move(from);
  o.to = std::move(to);
  o.step = std::move(step);
  return o;
}

// Wavelengths outside 380..770 nm get their extrapolated rows and one
// warning after them; the table's own ends belong to it.
TEST(TableCommand, WavelengthsOutsideTheTablesAreCountedOnce) {
  struct outside_case {
    table::table_options options;
    std::size_t rows;
    std::string warning;  // empty: none
  };
  const std::vector<outside_case> cases = {
      {listing({"380", "770"}), 2, ""},
      {listing({"0", "300", "-5"}), 3,
       "vollfarbe table: warning: 3 wavelengths lie outside the tables' range 380 to 770 nm "
       "(the first is 0); their rows are extrapolated\n"},
      {listing({"600", "770.001"}), 2,
       "vollfarbe table: warning: 1 wavelength lies outside the tables' range 380 to 770 nm "
       "(the first is 770.001); its row is extrapolated\n"},
      {range_of("379", "771", "0.5"), 785,
       "vollfarbe table: warning: 4 wavelengths lie outside the tables' range 380 to 770 nm "
       "(the first is 379); their rows are extrapolated\n"},
      {range_of("765", "800", "10"), 4,
       "vollfarbe table: warning: 3 wavelengths lie outside the tables' range 380 to 770 nm "
       "(the first is 775); their rows are extrapolated\n"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    const auto r = run(c.options);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.warning);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(split(r.written, ',').size(), c.rows + 1) << c.warning;
  }
}

TEST(TableCommand, StrictRefusesWavelengthsOutsideTheTables) {
  auto listed = listing({"600", "300", "0"});
  listed.strict = true;
  auto range = range_of("700", "800", "50");
  range.strict = true;
  auto inside = listing({"380", "770"});
  inside.strict = true;
  const auto r = run(listed);
  EXPECT_EQ(r.error,
            "--strict: 2 wavelengths lie outside the tables' range 380 to 770 nm, the first is 300");
  EXPECT_EQ(r.written, "");
  EXPECT_EQ(run(range).error,
            "--strict: 1 wavelength lies outside the tables' range 380 to 770 nm, the first is 800");
  EXPECT_EQ(run(inside).status, 0);
}

// The rows of a range are computed and formatted by several threads into a
// ring of blocks; the bytes are the same for every count, in every format
// (the ring's order and the blocks' ends are where a race would show).
TEST(TableCommand, EveryThreadCountWritesTheSameBytes) {
  for (const std::string format : {"csv", "json"}) {
    table::table_options options;
    options.from = "380";
    options.to = "770";
    options.step = "0.05";  // 7801 rows: several blocks for each thread
    options.format = format;
    options.threads = 1;
    const run_result one = run(options);
    ASSERT_EQ(one.status, 0) << one.error;
    for (const unsigned threads : {2u, 3u, 8u}) {
      options.threads = threads;
      const run_result several = run(options);
      EXPECT_EQ(several.status, 0);
      EXPECT_TRUE(several.written == one.written) << format << ", " << threads << " threads";
    }
  }
}

}  // namespace
