#include "plot/macadam_figure.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/usage_error.h"
#include "colour/catalogue/model_loading.h"
#include "colour/legacy/legacy_model.h"
#include "plot/plot_command.h"

namespace plot {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(MacAdamFigure, DrawsAndLabelsOneLocusPerLuminance) {
  const auto model = colour::load_model("cie1964", "D65");
  limits_request r;
  r.model = model.get();
  r.luminances = limit_luminances("10,50,90");
  const diagram::drawn_figure f = draw_macadam_limits(r);
  EXPECT_EQ(count(f.svg, "class=\"limit\""), 3u);
  for (const char* label : {">Y = 10<", ">Y = 50<", ">Y = 90<"}) {
    EXPECT_EQ(count(f.svg, label), 1u) << label;
  }
  EXPECT_NE(f.title.find("CIE 1964"), std::string::npos) << f.title;
}

TEST(MacAdamFigure, RefusesWhatHasNoLimits) {
  for (const char* bad : {"0", "100", "10,,30", "ten"}) {
    EXPECT_THROW(limit_luminances(bad), cli::usage_error) << bad;
  }
  plot_options o;
  o.limits = "50";
  const colour::model* legacy[] = {&colour::legacy_model()};
  std::FILE* out = tmpfile();
  EXPECT_THROW(run_plot(o, legacy, out), cli::usage_error);
  EXPECT_EQ(std::ftell(out), 0);
  std::fclose(out);
}

}  // namespace
}  // namespace plot
