#include "plot/colour_fill.h"

#include <cairo.h>

#include <cstdint>

#include "plot/srgb_colour.h"

namespace plot {
namespace {

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::string colour_fill_png(int columns, int rows,
                            const std::function<xy_point(double, double)>& chromaticity_at) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns, rows);
  cairo_surface_flush(surface);
  unsigned char* pixels = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::string png;
  if (pixels != nullptr) {
    for (int row = 0; row < rows; ++row) {
      auto* line = reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(row) * stride);
      for (int column = 0; column < columns; ++column) {
        const xy_point p = chromaticity_at(column + 0.5, row + 0.5);
        const srgb8 c = srgb_of_chromaticity(p.x, p.y);
        line[column] = (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
      }
    }
    cairo_surface_mark_dirty(surface);
    if (cairo_surface_write_to_png_stream(surface, append_bytes, &png) != CAIRO_STATUS_SUCCESS) {
      png.clear();
    }
  }
  cairo_surface_destroy(surface);
  return png;
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

}  // namespace plot
