#include "diagram/colour_fill.h"

#include <cstdint>
#include <vector>

#include "raster/raster_output.h"
#include "diagram/srgb_colour.h"

namespace diagram {

std::string colour_fill_png(int columns, int rows,
                            const std::function<xy_point(double, double)>& chromaticity_at) {
  if (columns < 1 || rows < 1) return {};
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
  auto pixel = pixels.begin();
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const xy_point p = chromaticity_at(column + 0.5, row + 0.5);
      const srgb8 c = srgb_of_chromaticity(p.x, p.y);
      *pixel++ = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
    }
  }
  return raster::encode_png(columns, rows, pixels);
}

std::string base64(std::string_view bytes) {
  static constexpr char digits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const auto v = (std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16) |
                   (std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8) |
                   static_cast<unsigned char>(bytes[i + 2]);
    for (int shift = 18; shift >= 0; shift -= 6) out += digits[(v >> shift) & 63];
  }
  if (i < bytes.size()) {
    const bool two = i + 1 < bytes.size();
    const auto v = (std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16) |
                   (two ? std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8 : 0u);
    out += digits[(v >> 18) & 63];
    out += digits[(v >> 12) & 63];
    out += two ? digits[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

}  // namespace diagram
