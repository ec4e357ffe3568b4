// Every figure keeps its texts apart: no two label boxes overlap, no label
// covers a point, and no label crosses a drawn line, for the pass of every
// whole nm from 380 to 770, with and without the ring, at single-column and
// page size. Boxes come from the font metrics the placer assumes; the margin
// is the least room a reader needs between them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "plot/chromaticity_diagram.h"

namespace {

constexpr double margin = 0.75;  // px

std::string describe(const plot::box& b) {
  std::ostringstream s;
  s << "[" << b.left << "," << b.top << " .. " << b.right << "," << b.bottom << "]";
  return s.str();
}

// The first fault in the figure, or "" when there is none.
std::string first_collision(const plot::drawn_figure& f) {
  for (std::size_t i = 0; i < f.labels.size(); ++i) {
    const auto& a = f.labels[i];
    if (a.left < 0 || a.top < 0 || a.right > f.width || a.bottom > f.height) {
      return "label " + describe(a) + " outside the figure";
    }
    for (std::size_t j = i + 1; j < f.labels.size(); ++j) {
      if (plot::overlaps(a, f.labels[j], margin)) {
        return "labels " + describe(a) + " and " + describe(f.labels[j]) + " overlap";
      }
    }
    for (const auto& m : f.markers) {
      if (plot::overlaps(a, m, 0.0)) return "label " + describe(a) + " covers a point";
    }
    for (const auto& s : f.lines) {
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
  request.size = plot::figure_size_named(size);
  request.ring = ring;
  for (int nm = 380; nm <= 770; ++nm) {
    request.wavelengths = {static_cast<double>(nm)};
    const auto fault = first_collision(plot::draw_chromaticity_diagram(request));
    ASSERT_EQ(fault, "") << nm << " nm";
  }
}

INSTANTIATE_TEST_SUITE_P(sizes, every_wavelength,
                         testing::Values(std::pair{"column", false}, std::pair{"column", true},
                                         std::pair{"page", false}, std::pair{"page", true}),
                         [](const auto& param_info) {
                           return std::string(param_info.param.first) + (param_info.param.second ? "_ring" : "");
                         });

}  // namespace
