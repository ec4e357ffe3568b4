#include "diagram/label_placer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace diagram {
namespace {

bool inside(const box& b, const box& area) {
  return b.left >= area.left && b.right <= area.right && b.top >= area.top &&
         b.bottom <= area.bottom;
}

box grown(const box& b, double by) {
  return {b.left - by, b.top - by, b.right + by, b.bottom + by};
}

// Liang-Barsky clipping: whether any part of the segment lies in the box.
bool segment_meets_box(px_point a, px_point b, const box& r) {
  double t0 = 0.0;
  double t1 = 1.0;
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  return true;
}

double distance_to_segment(px_point p, const segment& s) {
  const double dx = s.b.x - s.a.x;
  const double dy = s.b.y - s.a.y;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 > 0 ? std::clamp(((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (s.a.x + t * dx), p.y - (s.a.y + t * dy));
}

bool segments_cross(const segment& s, const segment& t) {
  const auto side = [](px_point a, px_point b, px_point c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
  };
  return ((side(s.a, s.b, t.a) > 0) != (side(s.a, s.b, t.b) > 0)) &&
         ((side(t.a, t.b, s.a) > 0) != (side(t.a, t.b, s.b) > 0));
}

double distance_between(const segment& s, const segment& t) {
  if (segments_cross(s, t)) return 0.0;
  return std::min({distance_to_segment(s.a, t), distance_to_segment(s.b, t),
                   distance_to_segment(t.a, s), distance_to_segment(t.b, s)});
}

// The sine of the angle between two segments' directions (0: parallel).
double sine_between(const segment& s, const segment& t) {
  const double ux = s.b.x - s.a.x;
  const double uy = s.b.y - s.a.y;
  const double vx = t.b.x - t.a.x;
  const double vy = t.b.y - t.a.y;
  const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
  return lengths > 0 ? std::fabs(ux * vy - uy * vx) / lengths : 1.0;
}

// The point of `b` nearest to `p`.
px_point nearest_on_box(px_point p, const box& b) {
  return {std::clamp(p.x, b.left, b.right), std::clamp(p.y, b.top, b.bottom)};
}

}  // namespace

bool overlaps(const box& a, const box& b, double padding) {
  return a.left < b.right + padding && b.left < a.right + padding &&
         a.top < b.bottom + padding && b.top < a.bottom + padding;
}

bool crosses(const segment& s, const box& b, double padding) {
  return segment_meets_box(s.a, s.b, grown(b, padding));
}

label_placer::label_placer(box area, double padding) : area_(area), padding_(padding) {
  cell_ = std::max(8.0, std::max(area.right - area.left, area.bottom - area.top) / 48.0);
  grid_columns_ = static_cast<int>((area.right - area.left) / cell_) + 1;
  grid_rows_ = static_cast<int>((area.bottom - area.top) / cell_) + 1;
  grid_.resize(static_cast<std::size_t>(grid_columns_ * grid_rows_));
}

void label_placer::index_line(std::size_t i) {
  const segment& s = lines_[i];
  const auto cell_of = [&](double v, double origin, int count) {
    return std::clamp(static_cast<int>(std::floor((v - origin) / cell_)), 0, count - 1);
  };
  const double pad = padding_ + 1.0;
  const int c0 = cell_of(std::min(s.a.x, s.b.x) - pad, area_.left, grid_columns_);
  const int c1 = cell_of(std::max(s.a.x, s.b.x) + pad, area_.left, grid_columns_);
  const int r0 = cell_of(std::min(s.a.y, s.b.y) - pad, area_.top, grid_rows_);
  const int r1 = cell_of(std::max(s.a.y, s.b.y) + pad, area_.top, grid_rows_);
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) grid_[static_cast<std::size_t>(r * grid_columns_ + c)].push_back(i);
  }
}

void label_placer::add_line(segment s) {
  lines_.push_back(s);
  index_line(lines_.size() - 1);
}

void label_placer::add_polyline(const std::vector<px_point>& points, bool closed) {
  for (std::size_t i = 1; i < points.size(); ++i) add_line({points[i - 1], points[i]});
  if (closed && points.size() > 2) add_line({points.back(), points.front()});
}

void label_placer::add_box(const box& b) { boxes_.push_back(b); }

bool label_placer::clear_of_lines(const box& b) const {
  const auto cell_of = [&](double v, double origin, int count) {
    return std::clamp(static_cast<int>(std::floor((v - origin) / cell_)), 0, count - 1);
  };
  const int c0 = cell_of(b.left - padding_, area_.left, grid_columns_);
  const int c1 = cell_of(b.right + padding_, area_.left, grid_columns_);
  const int r0 = cell_of(b.top - padding_, area_.top, grid_rows_);
  const int r1 = cell_of(b.bottom + padding_, area_.top, grid_rows_);
  for (int r = r0; r <= r1; ++r) {
    for (int c = c0; c <= c1; ++c) {
      for (const std::size_t i : grid_[static_cast<std::size_t>(r * grid_columns_ + c)]) {
        if (crosses(lines_[i], b, padding_)) return false;
      }
    }
  }
  return true;
}

bool label_placer::is_free(const box& b) const {
  if (!inside(b, area_)) return false;
  for (const auto& taken : boxes_) {
    if (overlaps(b, taken, padding_)) return false;
  }
  return clear_of_lines(b);
}

bool label_placer::leader_is_clear(const segment& leader, px_point from) const {
  for (const auto& taken : boxes_) {
    const bool own_marker = from.x >= taken.left && from.x <= taken.right &&
                            from.y >= taken.top && from.y <= taken.bottom;
    if (!own_marker && crosses(leader, taken, 1.0)) return false;
  }
  return true;
}

bool label_placer::leader_is_distinct(const segment& leader) const {
  // Leaders from points near each other may start close together; they
  // must not cross, and neither may end at the other.
  const double near = padding_ + 1.0;
  for (const auto& other : leaders_) {
    if (segments_cross(leader, other) || distance_to_segment(leader.b, other) < near ||
        distance_to_segment(other.b, leader) < near) {
      return false;
    }
  }
  // Near its start a leader leaves the lines through its point; beyond
  // that, no line may run along it (within 15 degrees and the padding).
  const double length = std::hypot(leader.b.x - leader.a.x, leader.b.y - leader.a.y);
  const double skip = 3 * padding_ + 2.0;
  if (length <= skip) return true;
  const double t = skip / length;
  const segment rest{{leader.a.x + (leader.b.x - leader.a.x) * t,
                      leader.a.y + (leader.b.y - leader.a.y) * t},
                     leader.b};
  for (const auto& s : lines_) {
    if (sine_between(rest, s) < 0.26 && distance_between(rest, s) < padding_) return false;
  }
  return true;
}

std::optional<placement> label_placer::place(const label_request& r) {
  auto found = find(r);
  if (found) take(*found);
  return found;
}

void label_placer::take(const placement& p) {
  boxes_.push_back(p.bounds);
  if (p.leader) {
    add_line(*p.leader);
    leaders_.push_back(*p.leader);
  }
}

std::optional<placement> label_placer::find(const label_request& r) const {
  // Candidates: first on rings close around the point, the box growing away
  // from it; only when none of them is free and a leader is allowed,
  // anywhere in the area on a fine grid. Cost: the distance from the point
  // and a penalty for turning away from the preferred side.
  std::vector<candidate> candidates;
  const double preferred_angle = std::atan2(r.preferred.y, r.preferred.x);
  const auto turn_from_preferred = [&](double angle) {
    return std::fabs(std::remainder(angle - preferred_angle, 2 * std::numbers::pi));
  };
  constexpr int directions = 32;
  for (const double d : {r.gap, r.gap * 1.25, r.gap * 1.5}) {
    for (int k = 0; k < directions; ++k) {
      const double angle = preferred_angle + 2 * std::numbers::pi * k / directions;
      const double turn = turn_from_preferred(angle);
      if (!r.leader_allowed && turn > std::numbers::pi / 3) continue;
      const double ux = std::cos(angle);
      const double uy = std::sin(angle);
      // Centre so that the box's edge facing the point is about d away.
      const double reach = std::fabs(ux) * r.width / 2 + std::fabs(uy) * r.height / 2;
      const double cx = r.point.x + ux * (d + reach);
      const double cy = r.point.y + uy * (d + reach);
      candidates.push_back({d + turn * r.gap * 1.5,
                            {cx - r.width / 2, cy - r.height / 2, cx + r.width / 2,
                             cy + r.height / 2}});
    }
  }
  if (r.leader_allowed) {
    // Clear of the area's edges, which are usually drawn (the frame).
    const box room = grown(area_, -(padding_ + 0.5));
    const double step = std::max(r.gap, std::min(r.height, r.width) / 3);
    for (double top = room.top; top + r.height <= room.bottom; top += step) {
      for (double left = room.left; left + r.width <= room.right; left += step) {
        const box b{left, top, left + r.width, top + r.height};
        const px_point near = nearest_on_box(r.point, b);
        const double d = std::hypot(near.x - r.point.x, near.y - r.point.y);
        if (d <= r.gap * 1.5) continue;  // the rings cover these
        const double angle =
            std::atan2((top + r.height / 2) - r.point.y, (left + r.width / 2) - r.point.x);
        candidates.push_back({d + turn_from_preferred(angle) * r.gap * 1.5, b});
      }
    }
  }
  return first_free(candidates, r);
}

int label_placer::lines_crossed(const segment& leader) const {
  int crossed = 0;
  for (const auto& s : lines_) crossed += segments_cross(leader, s) ? 1 : 0;
  return crossed;
}

std::optional<placement> label_placer::first_free(std::vector<candidate>& candidates,
                                                  const label_request& r) const {
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const candidate& a, const candidate& b) { return a.cost < b.cost; });
  // Among the first few free places, a leader that crosses fewer lines wins.
  constexpr int considered = 12;
  std::optional<placement> best;
  double best_cost = 0;
  int found = 0;
  for (const auto& c : candidates) {
    // The point itself must stay visible.
    if (overlaps(c.bounds, {r.point.x, r.point.y, r.point.x, r.point.y}, r.point_radius + 1.0)) {
      continue;
    }
    if (!is_free(c.bounds)) continue;
    placement p{c.bounds, std::nullopt};
    double cost = c.cost;
    const px_point end = nearest_on_box(r.point, grown(c.bounds, 1.5));
    const double length = std::hypot(end.x - r.point.x, end.y - r.point.y);
    if (length > r.gap * 1.6 + 1.5) {
      const double start = (r.point_radius + 1.0) / length;
      const segment leader{{r.point.x + (end.x - r.point.x) * start,
                            r.point.y + (end.y - r.point.y) * start},
                           end};
      if (r.max_leader > 0 && length > 2 * r.max_leader) continue;
      if (!leader_is_clear(leader, r.point) || !leader_is_distinct(leader)) continue;
      const int crossed = lines_crossed(leader);
      // Up to twice as long where it crosses nothing: such a leader still
      // reads as the label's.
      if (r.max_leader > 0 && length > r.max_leader && crossed > 0) continue;
      p.leader = leader;
      cost += crossed * r.gap * 4;
    }
    if (!best || cost < best_cost) {
      best = p;
      best_cost = cost;
    }
    if (!p.leader || ++found == considered) break;  // a place next to the point is best
  }
  return best;
}

}  // namespace diagram
