// Every figure keeps its texts apart: no two label boxes overlap, no label
// covers a point, and no label crosses a drawn line, for the pass of every
// whole nm from 380 to 770, with and without the ring, at single-column and
// page size. Boxes come from the font metrics the placer assumes; the margin
// is the least room a reader needs between them.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "plot/diagram_layout.h"
#include "colour/legacy/legacy_model.h"

namespace {

plot::diagram_request legacy_diagram() {
  plot::diagram_request r;
  r.model = &colour::legacy_model();
  return r;
}


constexpr double margin = 0.75;  // px

std::string describe(const plot::box& b) {
  std::ostringstream s;
  s << "[" << b.left << "," << b.top << " .. " << b.right << "," << b.bottom << "]";
  return s.str();
}

// The first fault in the figure, or "" when there is none.
std::string first_collision(const plot::diagram_layout& f) {
  const auto labels = f.text_boxes();
  const auto markers = f.marker_boxes();
  const auto lines = f.drawn_lines();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const auto& a = labels[i];
    if (a.left < 0 || a.top < 0 || a.right > f.width || a.bottom > f.height) {
      return "label " + describe(a) + " outside the figure";
    }
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (plot::overlaps(a, labels[j], margin)) {
        return "labels " + describe(a) + " and " + describe(labels[j]) + " overlap";
      }
    }
    for (const auto& m : markers) {
      if (plot::overlaps(a, m, 0.0)) return "label " + describe(a) + " covers a point";
    }
    for (const auto& s : lines) {
      if (std::max(s.a.x, s.b.x) < a.left - margin || std::min(s.a.x, s.b.x) > a.right + margin ||
          std::max(s.a.y, s.b.y) < a.top - margin || std::min(s.a.y, s.b.y) > a.bottom + margin) {
        continue;  // far from it: the quick test first
      }
      if (plot::crosses(s, a, margin)) {
        std::ostringstream line;
        line << "label " << describe(a) << " crosses the line (" << s.a.x << "," << s.a.y
             << ")-(" << s.b.x << "," << s.b.y << ")";
        return line.str();
      }
    }
  }
  return "";
}

class every_wavelength : public testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(every_wavelength, LabelsNeverCollide) {
  const auto [size, ring] = GetParam();
  plot::diagram_request request;
  request.model = &colour::legacy_model();
  request.size = plot::figure_size_named(size);
  request.ring = ring;
  for (int nm = 380; nm <= 770; ++nm) {
    request.wavelengths = {static_cast<double>(nm)};
    const auto fault = first_collision(plot::lay_out_chromaticity_diagram(request));
    ASSERT_EQ(fault, "") << nm << " nm";
  }
}

INSTANTIATE_TEST_SUITE_P(sizes, every_wavelength,
                         testing::Values(std::pair{"column", false}, std::pair{"column", true},
                                         std::pair{"page", false}, std::pair{"page", true}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.first) + (param_info.param.second ? "_ring" : "");
                         });

// Several constructions and the slide size keep their texts apart too (the
// fill is a picture under everything and takes no part); at page and slide
// size every label of one or two constructions finds a place.
TEST(FigureLayout, SeveralWavelengthsNeverCollide) {
  const std::vector<std::vector<double>> sets = {
      {450, 600}, {520, 600}, {380, 770}, {490, 600, 650}, {400, 500, 560, 620}};
  for (const char* size : {"column", "page", "slide"}) {
    for (const auto& wavelengths : sets) {
      plot::diagram_request request;
      request.model = &colour::legacy_model();
      request.size = plot::figure_size_named(size);
      request.wavelengths = wavelengths;
      request.ring = wavelengths.size() == 2;
      request.title = "Optimal colours";
      const auto figure = plot::lay_out_chromaticity_diagram(request);
      EXPECT_EQ(first_collision(figure), "") << size << ", " << wavelengths.front() << " nm first";
      if (std::string(size) != "column" && wavelengths.size() <= 2) {
        EXPECT_TRUE(figure.omitted.empty()) << size << ", " << figure.omitted.front();
      }
    }
  }
}

// Where the locus leaves room, every 10 nm tick has its number (640 nm went
// missing between 630 and 650 once).
TEST(FigureLayout, TenNanometreTicksAreNumbered) {
  const auto figure = plot::lay_out_chromaticity_diagram(legacy_diagram());
  for (int nm = 460; nm <= 660; nm += 10) {
    EXPECT_NE(std::find(figure.numbered_ticks.begin(), figure.numbered_ticks.end(), nm),
              figure.numbered_ticks.end())
        << nm;
  }
}

}  // namespace
