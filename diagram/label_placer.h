// Where labels go on the figure: every label box and every drawn line is an
// obstacle, and a new label takes the cheapest free place around its point,
// near and on the preferred side first, then further out with a leader line
// from the point to the label. A leader never runs along a drawn line
// (where it could be taken for part of it) nor comes near another leader
// (two leaders meeting leave the reader guessing which label is whose).
// Nothing here draws; the figure draws what it
// is told and records the boxes and lines, so a test can check the result.
//   point (100, 100), preferred side right, box 40 x 12, nothing in the way
//     -> box left 106, top 94, no leader
//   the same with a line through x = 110 .. 150
//     -> the next free place (e.g. left of the point), or further out with a leader
#pragma once

#include <optional>
#include <vector>

#include "diagram/svg_canvas.h"

namespace diagram {

struct box {
  double left;
  double top;
  double right;
  double bottom;
};

struct segment {
  px_point a;
  px_point b;
};

// Whether boxes come closer than `padding` to each other (or overlap).
bool overlaps(const box& a, const box& b, double padding);
// Whether the segment passes within `padding` of the box.
bool crosses(const segment& s, const box& b, double padding);

struct placement {
  box bounds;
  std::optional<segment> leader;  // from near the point to the label's edge
};

struct label_request {
  px_point point;         // what the label names
  px_point preferred;     // unit direction (screen, y down) to try first
  double width;
  double height;
  double gap;             // distance from the point when placed next to it
  double point_radius;    // where a leader starts
  bool leader_allowed = true;  // false: next to the point or not at all
  // The longest leader a reader still follows (twice that where it crosses
  // no line); 0: any length.
  double max_leader = 0;
};

class label_placer {
 public:
  // `area`: where labels may go; `padding`: the least room between a label
  // and any other label or line.
  label_placer(box area, double padding);

  void add_line(segment s);
  void add_polyline(const std::vector<px_point>& points, bool closed);
  void add_box(const box& b);  // a label or a marker placed by someone else

  // The best free place, taken at once (its box and leader become
  // obstacles); nullopt when there is none.
  std::optional<placement> place(const label_request& request);
  // The same without taking it, so that a caller can weigh several forms
  // of a label; `take` then makes a found place an obstacle.
  std::optional<placement> find(const label_request& request) const;
  void take(const placement& p);
  // Whether `b` is inside the area and clear of everything.
  bool is_free(const box& b) const;

  const std::vector<box>& boxes() const { return boxes_; }
  const std::vector<segment>& lines() const { return lines_; }

 private:
  struct candidate {
    double cost;
    box bounds;
  };
  // The cheapest free candidate; nullopt when none is free.
  std::optional<placement> first_free(std::vector<candidate>& candidates,
                                      const label_request& r) const;
  bool clear_of_lines(const box& b) const;
  int lines_crossed(const segment& leader) const;
  bool leader_is_clear(const segment& leader, px_point from) const;
  bool leader_is_distinct(const segment& leader) const;
  void index_line(std::size_t i);

  box area_;
  double padding_;
  std::vector<box> boxes_;
  std::vector<segment> lines_;
  std::vector<segment> leaders_;
  // Lines by grid cell, so that a box is tested only against lines near it.
  double cell_;
  int grid_columns_;
  int grid_rows_;
  std::vector<std::vector<std::size_t>> grid_;
};

}  // namespace diagram
