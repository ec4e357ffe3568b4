#include "diagram/label_placer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

diagram::label_request label_at(diagram::px_point point, diagram::px_point preferred) {
  return {point, preferred, 40, 12, 6, 3, true};
}

TEST(LabelPlacer, NextToThePointOnThePreferredSide) {
  diagram::label_placer placer({0, 0, 400, 400}, 2);
  const auto p = placer.place(label_at({100, 100}, {1, 0}));
  ASSERT_TRUE(p.has_value());
  EXPECT_FALSE(p->leader.has_value());
  EXPECT_NEAR(p->bounds.left, 106, 1e-9);
  EXPECT_NEAR((p->bounds.top + p->bounds.bottom) / 2, 100, 1e-9);
}

// A line on the preferred side sends the label elsewhere, clear of it; a
// second label avoids the first.
TEST(LabelPlacer, AvoidsLinesAndLabels) {
  diagram::label_placer placer({0, 0, 400, 400}, 2);
  placer.add_line({{110, 50}, {110, 150}});
  const auto first = placer.place(label_at({100, 100}, {1, 0}));
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(diagram::crosses({{110, 50}, {110, 150}}, first->bounds, 2));
  const auto second = placer.place(label_at({100, 100}, {1, 0}));
  ASSERT_TRUE(second.has_value());
  EXPECT_FALSE(diagram::overlaps(first->bounds, second->bounds, 2));
}

// Boxed in on every side near the point: further out, with a leader that
// starts outside the point's marker and ends at the label.
TEST(LabelPlacer, MovesAwayWithALeaderWhenItMust) {
  diagram::label_placer placer({0, 0, 400, 400}, 2);
  placer.add_polyline({{60, 60}, {140, 60}, {140, 140}, {60, 140}}, true);
  placer.add_line({{60, 60}, {140, 140}});
  placer.add_line({{60, 140}, {140, 60}});
  placer.add_line({{100, 60}, {100, 140}});
  placer.add_line({{60, 100}, {140, 100}});
  const auto p = placer.place(label_at({100, 100}, {1, 0}));
  ASSERT_TRUE(p.has_value());
  ASSERT_TRUE(p->leader.has_value());
  EXPECT_GT(std::hypot(p->leader->a.x - 100, p->leader->a.y - 100), 3.0);
  const auto& lines = placer.lines();
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {  // the last is the leader itself
    EXPECT_FALSE(diagram::crosses(lines[i], p->bounds, 2)) << i;
  }
}

TEST(LabelPlacer, NoPlaceMeansNone) {
  diagram::label_placer placer({0, 0, 30, 30}, 2);  // smaller than the label
  EXPECT_FALSE(placer.place(label_at({15, 15}, {1, 0})).has_value());
  diagram::label_request tick = label_at({200, 200}, {1, 0});
  tick.leader_allowed = false;
  diagram::label_placer walled({0, 0, 400, 400}, 2);
  walled.add_line({{210, 0}, {210, 400}});  // no leader: only the preferred side will do
  EXPECT_FALSE(walled.place(tick).has_value());
}

TEST(LabelPlacer, SegmentBoxTests) {
  const diagram::box b{10, 10, 20, 20};
  EXPECT_TRUE(diagram::crosses({{0, 15}, {30, 15}}, b, 0));   // straight through
  EXPECT_FALSE(diagram::crosses({{0, 0}, {30, 5}}, b, 0));    // above it
  EXPECT_TRUE(diagram::crosses({{0, 0}, {30, 5}}, b, 7));     // within the padding
  EXPECT_FALSE(diagram::crosses({{25, 0}, {25, 30}}, b, 4));  // 5 away
  EXPECT_TRUE(diagram::overlaps(b, {20.5, 20.5, 30, 30}, 1));  // closer than the padding
  EXPECT_FALSE(diagram::overlaps(b, {21, 21, 30, 30}, 0.5));
}

}  // namespace
