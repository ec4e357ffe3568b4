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

#include "diagram/diagram_layout.h"
#include "colour/legacy/legacy_model.h"

namespace {

diagram::diagram_request legacy_diagram() {
  diagram::diagram_request r;
  r.model = &colour::legacy_model();
  return r;
}


constexpr double margin = 0.75;  // px

std::string describe(const diagram::box& b) {
  std::ostringstream s;
  s << "[" << b.left << "," << b.top << " .. " << b.right << "," << b.bottom << "]";
  return s.str();
}

bool segments_cross(const diagram::segment& s, const diagram::segment& t) {
  const auto side = [](diagram::px_point a, diagram::px_point b, diagram::px_point c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  };
  return ((side(s.a, s.b, t.a) > 0) != (side(s.a, s.b, t.b) > 0)) &&
         ((side(t.a, t.b, s.a) > 0) != (side(t.a, t.b, s.b) > 0));
}

bool ends_on(const diagram::segment& s, const diagram::segment& t) {
  return diagram::crosses(t, {s.b.x, s.b.y, s.b.x, s.b.y}, 2.0);
}

// Two leaders that cross, or one ending on the other, leave the reader
// guessing which label is whose.
std::string leaders_meeting(const diagram::diagram_layout& f) {
  std::vector<diagram::segment> leaders;
  for (const auto& l : f.labels) {
    if (l.leader) leaders.push_back(*l.leader);
  }
  for (std::size_t i = 0; i < leaders.size(); ++i) {
    for (std::size_t j = i + 1; j < leaders.size(); ++j) {
      const auto &a = leaders[i], &b = leaders[j];
      if (segments_cross(a, b) || ends_on(a, b) || ends_on(b, a)) {
        std::ostringstream s;
        s << "leaders from (" << a.a.x << "," << a.a.y << ") and (" << b.a.x << "," << b.a.y
          << ") meet";
        return s.str();
      }
    }
  }
  return "";
}

// The first fault in the figure, or "" when there is none.
std::string first_collision(const diagram::diagram_layout& f) {
  if (auto meeting = leaders_meeting(f); !meeting.empty()) return meeting;
  const auto labels = f.text_boxes();
  const auto markers = f.marker_boxes();
  const auto lines = f.drawn_lines();
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const auto& a = labels[i];
    if (a.left < 0 || a.top < 0 || a.right > f.width || a.bottom > f.height) {
      return "label " + describe(a) + " outside the figure";
    }
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (diagram::overlaps(a, labels[j], margin)) {
        return "labels " + describe(a) + " and " + describe(labels[j]) + " overlap";
      }
    }
    for (const auto& m : markers) {
      if (diagram::overlaps(a, m, 0.0)) return "label " + describe(a) + " covers a point";
    }
    for (const auto& s : lines) {
      if (std::max(s.a.x, s.b.x) < a.left - margin || std::min(s.a.x, s.b.x) > a.right + margin ||
          std::max(s.a.y, s.b.y) < a.top - margin || std::min(s.a.y, s.b.y) > a.bottom + margin) {
        continue;  // far from it: the quick test first
      }
      if (diagram::crosses(s, a, margin)) {
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
  diagram::diagram_request request;
  request.model = &colour::legacy_model();
  request.size = diagram::figure_size_named(size);
  request.ring = ring;
  for (int nm = 380; nm <= 770; ++nm) {
    request.wavelengths = {static_cast<double>(nm)};
    const auto fault = first_collision(diagram::lay_out_chromaticity_diagram(request));
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
// fill is a picture under everything and takes no part); at page size every
// label of one or two constructions finds a place. (With the ring, and on a
// slide, whose diagram is as crowded as a column's, a label may find none:
// the command names it.)
TEST(FigureLayout, SeveralWavelengthsNeverCollide) {
  const std::vector<std::vector<double>> sets = {
      {450, 600}, {520, 600}, {380, 770}, {490, 600, 650}, {400, 500, 560, 620}};
  for (const char* size : {"column", "page", "slide"}) {
    for (const auto& wavelengths : sets) {
      diagram::diagram_request request;
      request.model = &colour::legacy_model();
      request.size = diagram::figure_size_named(size);
      request.wavelengths = wavelengths;
      request.ring = wavelengths.size() == 2;
      request.title = "Optimal colours";
      const auto figure = diagram::lay_out_chromaticity_diagram(request);
      EXPECT_EQ(first_collision(figure), "") << size << ", " << wavelengths.front() << " nm first";
      if (std::string(size) == "page" && wavelengths.size() <= 2) {
        request.ring = false;
        const auto without_ring = diagram::lay_out_chromaticity_diagram(request);
        EXPECT_TRUE(without_ring.omitted.empty()) << size << ", " << without_ring.omitted.front();
      }
    }
  }
}

// Where the locus leaves room, every 10 nm tick has its number (640 nm went
// missing between 630 and 650 once; beyond 650 the ticks bunch up and every
// other one is numbered).
TEST(FigureLayout, TenNanometreTicksAreNumbered) {
  const auto figure = diagram::lay_out_chromaticity_diagram(legacy_diagram());
  for (int nm = 460; nm <= 650; nm += 10) {
    EXPECT_NE(std::find(figure.numbered_ticks.begin(), figure.numbered_ticks.end(), nm),
              figure.numbered_ticks.end())
        << nm;
  }
}

// A tick's number sits beside its tick, outside the locus where the frame
// leaves room (590 and 610 sat inside, away from their ticks, at column
// width, 610 just below the 600 point).
TEST(FigureLayout, TickNumbersBesideTheirTicksOutsideTheLocus) {
  for (const char* size : {"column", "page"}) {
    for (const std::vector<double>& wavelengths : {std::vector<double>{}, {600}, {450, 600}}) {
      diagram::diagram_request request = legacy_diagram();
      request.size = diagram::figure_size_named(size);
      request.wavelengths = wavelengths;
      const auto figure = diagram::lay_out_chromaticity_diagram(request);
      for (const auto& tick : figure.ticks) {
        const auto label = std::find_if(figure.labels.begin(), figure.labels.end(), [&](const auto& l) {
          return l.style == "small" && l.lines.front().plain_text() == std::to_string(tick.nm);
        });
        if (label == figure.labels.end()) continue;
        const auto& b = label->bounds;
        const diagram::px_point centre{(b.left + b.right) / 2, (b.top + b.bottom) / 2};
        const double outward = (centre.x - tick.mark.a.x) * tick.normal.x +
                               (centre.y - tick.mark.a.y) * tick.normal.y;
        const std::string where = std::string(size) + ", " + std::to_string(tick.nm) + " nm";
        EXPECT_TRUE(diagram::overlaps(b, {tick.mark.a.x, tick.mark.a.y, tick.mark.a.x, tick.mark.a.y},
                                   1.5 * request.size.small_px))
            << where << ": the number is away from its tick";
        if (tick.nm >= 530 && tick.nm <= 620) {
          EXPECT_GT(outward, 0) << where << ": inside the locus";
        }
      }
    }
  }
}

// A slide is 16:9, 1280 x 720 px, the legend beside the diagram.
TEST(FigureLayout, SlideIsLandscapeWithTheLegendBeside) {
  diagram::diagram_request request = legacy_diagram();
  request.size = diagram::figure_size_named("slide");
  request.wavelengths = {450, 600};
  request.title = "Optimal colours";
  const auto figure = diagram::lay_out_chromaticity_diagram(request);
  EXPECT_EQ(figure.width, 1280);
  EXPECT_EQ(figure.height, 720);
  const double frame_right = figure.frame[1].x;
  ASSERT_FALSE(figure.legend.empty());
  for (const auto& entry : figure.legend) {
    EXPECT_GT(entry.sample.a.x, frame_right);
    EXPECT_LE(entry.text.bounds.right, figure.width);
  }
  EXPECT_EQ(first_collision(figure), "");
}

}  // namespace
