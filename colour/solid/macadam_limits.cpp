#include "colour/solid/macadam_limits.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "colour/exact_arithmetic.h"
#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;

constexpr ext pi = std::numbers::pi_v<ext>;
constexpr ext degree = pi / 180;

// Newton stops here: far inside what a limit must meet (1e-9), so that the
// rounding of its own last step leaves no trace in the printed digits.
constexpr ext newton_tolerance = 1e-14L;
// Where rounding stops Newton short of that (narrow bands next to a
// transition's birth), this much is still far inside what a limit must meet.
constexpr ext newton_enough = 1e-12L;
constexpr int newton_steps = 16;
// The searches stop here, or where the bracket cannot be halved any more.
constexpr ext search_tolerance = 1e-14L;

// The section at Y0 and the ray of one hue in it, in the (X, Z) plane.
struct section_ray {
  ext Y0;
  ext gx, gz;  // the grey Y0/100 W, from the white point's chromaticity
  ext dx, dz;  // the ray's direction, unit length
  ext theta;   // its angle
};

section_ray ray_of(double Y0, double hue, chromaticity white) {
  const ext h = std::fmod(ext{hue}, ext{360}) * degree;
  const ext xw = white.x, yw = white.y;
  // Any point on the chromaticity ray maps to a point on the ray from the
  // grey in the plane (a projective map keeps lines and the white's place).
  const ext r = 0.1L;
  const ext x = xw + r * std::cos(h), y = yw + r * std::sin(h);
  section_ray s{};
  s.Y0 = Y0;
  s.gx = xw / yw * Y0;
  s.gz = (1 - xw - yw) / yw * Y0;
  const ext qx = x / y * Y0 - s.gx;
  const ext qz = (1 - x - y) / y * Y0 - s.gz;
  const ext length = std::hypot(qx, qz);
  s.dx = qx / length;
  s.dz = qz / length;
  s.theta = std::atan2(s.dz, s.dx);
  return s;
}

vector3 normal_of(ext phi, ext psi) {
  return {std::cos(psi) * std::cos(phi), std::sin(psi), std::cos(psi) * std::sin(phi)};
}

// Across the ray (positive counter-clockwise of it) and along it.
ext across(const section_ray& s, const vector3& P) {
  return s.dx * (P[2] - s.gz) - s.dz * (P[0] - s.gx);
}
ext along(const section_ray& s, const vector3& P) {
  return s.dx * (P[0] - s.gx) + s.dz * (P[2] - s.gz);
}

struct solver {
  explicit solver(const optimal_solid& s) : solid(s) {}

  const optimal_solid& solid;
  section_ray ray{};
  support_point point{};  // the last support point evaluated

  const vector3& evaluate(ext phi, ext psi) {
    solid.boundary_point(normal_of(phi, psi), point);
    return point.XYZ;
  }

  ext error_of(const vector3& P) const {
    const ext a = along(ray, P);
    if (!(a > 0)) return std::numeric_limits<ext>::infinity();
    return std::fabs(P[1] - ray.Y0) / ray.Y0 + std::fabs(across(ray, P)) / a;
  }

  // Newton's method from (phi, psi); true once both conditions hold.
  ext best_phi = 0, best_psi = 0;  // where Newton came closest
  ext best_error = std::numeric_limits<ext>::infinity();

  bool newton(ext& phi, ext& psi) {
    vector3 P = evaluate(phi, psi);
    ext error = error_of(P);
    if (error < best_error) {
      best_error = error;
      best_phi = phi;
      best_psi = psi;
    }
    for (int step = 0; step < newton_steps; ++step) {
      if (error <= newton_tolerance) return true;
      const vector3 n_phi{-std::cos(psi) * std::sin(phi), 0, std::cos(psi) * std::cos(phi)};
      const vector3 n_psi{-std::sin(psi) * std::cos(phi), std::cos(psi), -std::sin(psi) * std::sin(phi)};
      vector3 dp_phi{}, dp_psi{};
      for (std::size_t a = 0; a < 3; ++a) {
        for (std::size_t b = 0; b < 3; ++b) {
          dp_phi[a] += point.curvature[a][b] * n_phi[b];
          dp_psi[a] += point.curvature[a][b] * n_psi[b];
        }
      }
      const ext j11 = dp_phi[1], j12 = dp_psi[1];
      const ext j21 = ray.dx * dp_phi[2] - ray.dz * dp_phi[0];
      const ext j22 = ray.dx * dp_psi[2] - ray.dz * dp_psi[0];
      const ext det = j11 * j22 - j12 * j21;
      if (!(std::fabs(det) > 0) || !std::isfinite(det)) return error <= newton_enough;
      const ext f1 = P[1] - ray.Y0, f2 = across(ray, P);
      ext d_phi = -(j22 * f1 - j12 * f2) / det;
      ext d_psi = -(-j21 * f1 + j11 * f2) / det;
      bool better = false;
      for (int halving = 0; halving < 6 && !better; ++halving) {
        const vector3 trial = evaluate(phi + d_phi, psi + d_psi);
        const ext trial_error = error_of(trial);
        if (trial_error < error) {
          phi += d_phi;
          psi += d_psi;
          P = trial;
          error = trial_error;
          better = true;
          if (error < best_error) {
            best_error = error;
            best_phi = phi;
            best_psi = psi;
          }
        } else {
          d_phi /= 2;
          d_psi /= 2;
        }
      }
      if (!better) return error <= newton_enough;
    }
    return error <= newton_enough;
  }

  // False position with Illinois' halving and a bisection every fourth
  // step, on an increasing function with f(lo) <= 0 <= f(hi): hits a zero
  // or narrows the bracket until it cannot be halved.
  template <class F>
  bool bracket(F f, ext& lo, ext& hi, ext f_lo, ext f_hi, ext tolerance, ext& hit) {
    int side = 0;
    for (int step = 0; step < 400; ++step) {
      ext x = step % 4 == 3 || !(f_hi > f_lo) ? lo + (hi - lo) / 2
                                             : lo - f_lo * ((hi - lo) / (f_hi - f_lo));
      if (!(lo < x && x < hi)) x = lo + (hi - lo) / 2;
      if (x == lo || x == hi) return false;
      const ext v = f(x);
      if (std::fabs(v) <= tolerance) {
        hit = x;
        return true;
      }
      if (v < 0) {
        lo = x;
        f_lo = v;
        if (side == -1) f_hi /= 2;
        side = -1;
      } else {
        hi = x;
        f_hi = v;
        if (side == 1) f_lo /= 2;
        side = 1;
      }
    }
    return false;
  }

  struct section_point {
    vector3 P;
    ext psi;
    bool edge;  // on an edge of the solid that no single reflectance reaches
    std::vector<reflectance_edge> edges;
    bool in_red_tail;
  };

  // The section's boundary point with outward normal angle phi: ψ with
  // Y = Y0, by Newton's method on Y(ψ) (its slope is the curvature's)
  // inside a bracket that every step narrows; a step that does not halve
  // the residual is replaced by false position or bisection, so the search
  // ends. Y(-π/2) is about 0 and Y(π/2) about 100: they are not evaluated.
  section_point section_support(ext phi, ext psi_start) {
    ext lo = -pi / 2, hi = pi / 2;
    ext g_lo = -ray.Y0, g_hi = 100 - ray.Y0;
    ext psi = lo < psi_start && psi_start < hi ? psi_start : 0;
    ext last_residual = std::numeric_limits<ext>::infinity();
    for (int step = 0; step < 300; ++step) {
      const vector3 P = evaluate(phi, psi);
      const ext g = P[1] - ray.Y0;
      if (std::fabs(g) <= search_tolerance * ray.Y0) {
        return {P, psi, false, point.edges, point.in_red_tail};
      }
      if (g < 0) {
        lo = psi;
        g_lo = g;
      } else {
        hi = psi;
        g_hi = g;
      }
      const vector3 n_psi{-std::sin(psi) * std::cos(phi), std::cos(psi), -std::sin(psi) * std::sin(phi)};
      ext slope = 0;
      for (std::size_t b = 0; b < 3; ++b) slope += point.curvature[1][b] * n_psi[b];
      ext next = slope > 0 ? psi - g / slope : lo - 1;
      const bool slow = std::fabs(g) > last_residual / 2;
      last_residual = std::fabs(g);
      if (!(lo < next && next < hi) || slow) {
        next = step % 2 == 0 ? lo - g_lo * ((hi - lo) / (g_hi - g_lo)) : lo + (hi - lo) / 2;
        if (!(lo < next && next < hi)) next = lo + (hi - lo) / 2;
      }
      if (!(lo < next && next < hi)) break;  // the bracket cannot be halved
      psi = next;
    }
    // Y jumps between lo and hi: the boundary runs straight from one
    // support point to the other there; the point is where it has Y0.
    const vector3 P_hi = evaluate(phi, hi);
    const vector3 P_lo = evaluate(phi, lo);
    const ext u = (ray.Y0 - P_lo[1]) / (P_hi[1] - P_lo[1]);
    vector3 P{};
    for (std::size_t a = 0; a < 3; ++a) P[a] = P_lo[a] + u * (P_hi[a] - P_lo[a]);
    P[1] = ray.Y0;
    return {P, lo, true, point.edges, true};
  }

  struct found {
    vector3 P;
    ext phi, psi;
    bool face;
    bool count_defined;
    std::vector<reflectance_edge> edges;
  };

  // The straight edges of the section where it cuts a flat face: their
  // ends are the section's points for normals just either side of the
  // face's normal. They depend on Y0 only.
  struct face_edge {
    vector3 a, b;
  };
  std::vector<face_edge> faces;
  ext faces_Y0 = -1;

  void prepare_faces() {
    if (faces_Y0 == ray.Y0) return;
    faces_Y0 = ray.Y0;
    faces.clear();
    constexpr ext aside = 1e-12L;
    const auto add = [&](ext phi0) {
      const section_point a = section_support(phi0 - aside, 0);
      const section_point b = section_support(phi0 + aside, a.psi);
      ext gap = 0;
      for (std::size_t k = 0; k < 3; ++k) gap += std::fabs(b.P[k] - a.P[k]);
      if (gap > 1e-9L * ray.Y0) faces.push_back({a.P, b.P});
    };
    if (solid.has_flat_faces(2)) {
      add(pi / 2);
      add(-pi / 2);
    }
    if (solid.has_flat_faces(0)) {
      add(0);
      add(pi);
    }
  }

  // The point where the ray crosses a face's edge, if it does.
  bool on_face(vector3& P) const {
    for (const face_edge& f : faces) {
      const ext ca = across(ray, f.a), cb = across(ray, f.b);
      if (!(ca <= 0 && cb >= 0) || !(along(ray, f.a) > 0 || along(ray, f.b) > 0)) continue;
      const ext u = ca == cb ? ext{0} : ca / (ca - cb);
      for (std::size_t k = 0; k < 3; ++k) P[k] = f.a[k] + u * (f.b[k] - f.a[k]);
      P[1] = ray.Y0;
      return true;
    }
    return false;
  }

  // phi_hint, psi_start: where Newton came closest (or any guess).
  found search(ext phi_hint, ext psi_start) {
    ext psi = psi_start;
    // The sine of the angle from the ray: the tolerance is then relative,
    // as small sections (Y near 100) need.
    const auto across_at = [&](ext phi) {
      const section_point s = section_support(phi, psi);
      psi = s.psi;  // the next φ starts from here
      const ext c = across(ray, s.P), a = along(ray, s.P);
      return c / std::hypot(c, a);
    };
    // The normals θ ± π/2 bracket the ray's point for certain (the section
    // is convex around the grey); a narrow bracket around the hint, widened
    // until it holds, saves most of the search.
    const ext lowest = ray.theta - pi / 2, highest = ray.theta + pi / 2;
    ext lo = lowest, hi = highest, across_lo = 0, across_hi = 0;
    bool narrowed = false;
    if (lowest < phi_hint && phi_hint < highest) {
      for (ext width = 1e-7L; width < 0.5L && !narrowed; width *= 30) {
        lo = std::max(lowest, phi_hint - width);
        hi = std::min(highest, phi_hint + width);
        across_lo = across_at(lo);
        across_hi = across_at(hi);
        narrowed = across_lo <= 0 && across_hi >= 0;
      }
    }
    if (!narrowed) {
      lo = lowest;
      hi = highest;
      across_lo = across_at(lo);
      across_hi = across_at(hi);
    }
    ext phi = ray.theta;
    if (bracket(across_at, lo, hi, across_lo, across_hi, search_tolerance, phi)) {
      section_point s = section_support(phi, psi);
      return {s.P, phi, s.psi, false, !s.edge && !s.in_red_tail, std::move(s.edges)};
    }
    // The ray passes between the points of two normals that no normal
    // between them separates: a straight edge of the section, where it
    // cuts a flat face of the solid.
    const section_point a = section_support(lo, psi);
    const section_point b = section_support(hi, psi);
    const ext ca = across(ray, a.P), cb = across(ray, b.P);
    const ext u = ca / (ca - cb);
    vector3 P{};
    for (std::size_t k = 0; k < 3; ++k) P[k] = a.P[k] + u * (b.P[k] - a.P[k]);
    P[1] = ray.Y0;
    return {P, lo, a.psi, true, false, {}};
  }
};

limit_point point_of(const solver& s, const vector3& P, double Y, double hue, ext phi, ext psi,
                     bool face, bool count_defined, const std::vector<reflectance_edge>& edges) {
  limit_point out{};
  out.Y = Y;
  out.hue = hue;
  out.XYZ = {static_cast<double>(P[0]), static_cast<double>(P[1]), static_cast<double>(P[2])};
  const ext sum = (P[0] + P[1]) + P[2];
  out.xy = {static_cast<double>(P[0] / sum), static_cast<double>(P[1] / sum)};
  if (!face) {
    out.transitions.reserve(edges.size());
    for (const auto& e : edges) out.transitions.push_back(e.wavelength);
  }
  out.on_face = face;
  out.count_defined = count_defined;
  out.phi = phi;
  out.psi = psi;
  static_cast<void>(s);
  return out;
}

void check_arguments(double Y, double hue) {
  if (!(Y > 0 && Y < 100)) {
    throw std::domain_error("a MacAdam limit needs a luminance factor Y between 0 and 100 "
                            "(both excluded)");
  }
  if (!std::isfinite(hue)) throw std::domain_error("a MacAdam limit needs a finite hue angle");
}

ext before_hue(const limit_point* before) { return before != nullptr ? before->hue : 0; }

// previous: the point of a neighbouring hue, before: the one before it;
// with both, the start is their straight continuation.
limit_point solve(solver& s, double Y, double hue, const limit_point* previous,
                  const limit_point* before) {
  s.ray = ray_of(Y, hue, s.solid.colour_model().white_point());
  ext phi = s.ray.theta, psi = 0;
  s.best_error = std::numeric_limits<ext>::infinity();
  s.best_phi = phi;
  s.prepare_faces();
  vector3 face_point{};
  if (s.on_face(face_point)) {
    return point_of(s, face_point, Y, hue, phi, psi, true, false, {});
  }
  if (previous != nullptr && !previous->on_face) {
    phi = previous->phi;
    psi = previous->psi;
    const ext step = std::remainder(ext{previous->hue} - before_hue(before), ext{360});
    if (before != nullptr && !before->on_face && std::fabs(step) > 0) {
      const ext ahead = std::remainder(ext{hue} - previous->hue, ext{360}) / step;
      phi += ahead * (previous->phi - before->phi);
      psi += ahead * (previous->psi - before->psi);
    }
  } else {
    psi = s.section_support(phi, 0).psi;
  }
  bool settled = s.newton(phi, psi);
  if (!settled && previous != nullptr && before != nullptr && !previous->on_face) {
    // The continuation overshot a kink (a transition born or lost between
    // the hues): from the neighbour itself.
    phi = previous->phi;
    psi = previous->psi;
    settled = s.newton(phi, psi);
  }
  if (settled) {
    return point_of(s, s.point.XYZ, Y, hue, phi, psi, false, !s.point.in_red_tail, s.point.edges);
  }
  const solver::found f = s.search(s.best_phi, s.best_psi);
  return point_of(s, f.P, Y, hue, f.phi, f.psi, f.face, f.count_defined, f.edges);
}

}  // namespace

long double hue_angle_degrees(long double x, long double y, chromaticity white) {
  const ext dx = x - white.x, dy = y - white.y;
  if (!(std::isfinite(dx) && std::isfinite(dy)) || (dx == 0 && dy == 0)) return detail::nan;
  ext h = std::atan2(dy, dx) / degree;
  if (h < 0) h += 360;
  if (h >= 360) h -= 360;
  return h;
}

limit_point macadam_limit(const optimal_solid& solid, double Y, double hue) {
  const exact_arithmetic scope;
  check_arguments(Y, hue);
  solver s(solid);
  return solve(s, Y, hue, nullptr, nullptr);
}

std::vector<limit_point> macadam_locus(const optimal_solid& solid, double Y,
                                       std::span<const double> hues) {
  const exact_arithmetic scope;
  for (const double h : hues) check_arguments(Y, h);
  std::vector<limit_point> out;
  out.reserve(hues.size());
  solver s(solid);
  for (std::size_t i = 0; i < hues.size(); ++i) {
    // A neighbouring hue (within a few degrees) starts Newton close enough.
    const bool near = i > 0 && std::fabs(std::remainder(hues[i] - hues[i - 1], 360.0)) <= 5;
    const bool near_before =
        near && i > 1 && std::fabs(std::remainder(hues[i - 1] - hues[i - 2], 360.0)) <= 5;
    out.push_back(solve(s, Y, hues[i], near ? &out[i - 1] : nullptr,
                        near_before ? &out[i - 2] : nullptr));
  }
  return out;
}

}  // namespace colour
