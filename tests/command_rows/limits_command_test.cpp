#include "command_rows/limits_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "cli/usage_error.h"
#include "colour/catalogue/model_loading.h"
#include "colour/legacy/legacy_model.h"
#include "command_rows/value_lists.h"
#include "textio/shortest_number.h"

namespace limits {
namespace {

struct run_result {
  int status;
  std::string out;
};

run_result run(const limits_options& o, const std::string& input = "",
               const char* illuminant = "D65") {
  static std::map<std::string, std::shared_ptr<const colour::model>> models;
  auto& model = models[illuminant];
  if (!model) model = colour::load_model("cie1931", illuminant);
  std::FILE* in = tmpfile();
  std::FILE* out = tmpfile();
  std::fputs(input.c_str(), in);
  std::rewind(in);
  const int status = run_limits(o, *model, in, out);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  std::fclose(in);
  std::fclose(out);
  return {status, text};
}

TEST(ValueLists, ContinueTheStepToTheEnd) {
  EXPECT_EQ(parse_value_list("10,20,...,90", "--Y"),
            (std::vector<double>{10, 20, 30, 40, 50, 60, 70, 80, 90}));
  EXPECT_EQ(parse_value_list("0.1,0.2,...,0.5", "--Y").size(), 5u);  // no drift past 0.5
  EXPECT_EQ(parse_value_list("5", "--Y"), (std::vector<double>{5}));
  EXPECT_EQ(parse_value_list("90,80,...,65", "--Y"), (std::vector<double>{90, 80, 70, 65}));
  for (const char* bad : {"", "10,,20", "10,...,90", "10,20,...", "10,20,...,5", "10,10,...,90",
                          "1,1.0000001,...,90", "ten"}) {
    EXPECT_THROW(parse_value_list(bad, "--Y"), cli::usage_error) << bad;
  }
}

TEST(LimitsCommand, WritesOneRowPerLuminanceAndHue) {
  limits_options o;
  o.Y = "10,50";
  o.hue = "0,90,...,270";
  const run_result r = run(o, "", "C");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "Y,h,x,y,X,Y_limit,Z,transitions,first,second,wavelengths,kind");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 9);
  // Illuminant C at Y = 10, h = 0: eight transitions, all in one field.
  const std::string row = r.out.substr(r.out.find('\n') + 1, r.out.find('\n', r.out.find('\n') + 1) - r.out.find('\n') - 1);
  EXPECT_EQ(row.rfind("10,0,0.68", 0), 0u) << row;
  EXPECT_NE(row.find(",8,588.56"), std::string::npos) << row;
  EXPECT_EQ(row.substr(row.rfind(',') + 1), "optimal");
}

TEST(LimitsCommand, JsonKeysAreUniqueAndTheWavelengthsOneText) {
  limits_options o;
  o.Y = "50";
  o.hues = "2";
  o.format = "jsonl";
  const run_result r = run(o);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
  EXPECT_EQ(r.out.rfind("{\"Y\":50,\"h\":0,\"x\":", 0), 0u) << r.out;
  EXPECT_NE(r.out.find(",\"X\":"), std::string::npos);
  EXPECT_NE(r.out.find(",\"Y_limit\":"), std::string::npos);
  EXPECT_NE(r.out.find(",\"wavelengths\":\"440."), std::string::npos) << r.out;
  o.format = "json";
  const run_result array = run(o);
  EXPECT_EQ(array.out.rfind("[\n{", 0), 0u);
  EXPECT_EQ(array.out.substr(array.out.size() - 3), "\n]\n");
}

TEST(LimitsCommand, InsideAnswersEveryColourOfStdin) {
  limits_options o;
  o.inside = true;
  o.rest = {"-"};
  o.xyY_lines = true;
  // The white point's grey, a red beyond every surface colour, black, a green.
  const colour::chromaticity w = colour::load_model("cie1931", "D65")->white_point();
  const std::string grey = textio::shortest_text(w.x) + " " + textio::shortest_text(w.y) + " 50\n";
  const run_result r = run(o, grey + "0.7 0.25 20\n0.3 0.3 0\n# note\n0.3 0.45 30\n");
  ASSERT_EQ(r.status, 0) << r.out;
  const auto line = [&](int n) {
    std::size_t start = 0;
    for (int i = 0; i < n; ++i) start = r.out.find('\n', start) + 1;
    return r.out.substr(start, r.out.find('\n', start) - start);
  };
  EXPECT_EQ(line(0), "x,y,Y,ratio,inside,h,full_colour,pigment,l,lc,c,w,s");
  EXPECT_NE(line(1).find(",0,yes,,achromatic,,,,0,0.5,0.5"), std::string::npos) << line(1);
  EXPECT_NE(line(2).find(",no,"), std::string::npos) << line(2);
  EXPECT_NE(line(2).find(",outside,"), std::string::npos) << line(2);
  EXPECT_EQ(line(3), ",,0,0,yes,,achromatic,,,,0,0,1");  // black: no chromaticity
  EXPECT_NE(line(4).find(",yes,"), std::string::npos) << line(4);
  EXPECT_NE(line(4).find(",found,band"), std::string::npos) << line(4);
}

TEST(LimitsCommand, RefusesMistakesBeforeWritingAnything) {
  const auto with = [](auto change) {
    limits_options o;
    o.Y = "50";
    change(o);
    return o;
  };
  for (const limits_options& o : {
           with([](limits_options& o) { o.Y = "0,50"; }),
           with([](limits_options& o) { o.Y = "100"; }),
           with([](limits_options& o) { o.Y.clear(); }),
           with([](limits_options& o) { o.hues = "0"; }),
           with([](limits_options& o) { o.hues = "2.5"; }),
           with([](limits_options& o) { o.hues = "4", o.hue = "5"; }),
           with([](limits_options& o) { o.format = "xml"; }),
           with([](limits_options& o) { o.XYZ = {"1", "2", "3"}; }),
           with([](limits_options& o) { o.inside = true; }),
           with([](limits_options& o) { o.inside = true, o.XYZ = {"1", "2", "3"}; }),
           with([](limits_options& o) { o.inside = true, o.Y.clear(), o.xy = {"0.3", "0.3"}; }),
       }) {
    EXPECT_THROW(run(o), cli::usage_error);
  }
  limits_options stdin_mistake;
  stdin_mistake.inside = true;
  stdin_mistake.rest = {"-"};
  EXPECT_THROW(run(stdin_mistake, "1 2\n"), cli::usage_error);
}

TEST(LimitsCommand, RefusesTheBuiltInTablesByName) {
  limits_options o;
  o.Y = "50";
  std::FILE* out = tmpfile();
  try {
    run_limits(o, colour::legacy_model(), stdin, out);
    FAIL() << "the built-in tables have no solid";
  } catch (const cli::usage_error& e) {
    EXPECT_NE(std::string(e.what()).find("colour-matching functions"), std::string::npos);
  }
  EXPECT_EQ(std::ftell(out), 0);
  std::fclose(out);
}

}  // namespace
}  // namespace limits
