#include "raster/raster_module.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>
#include <zlib.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace raster {
namespace {

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct handle_deleter {
  void operator()(RsvgHandle* h) const { g_object_unref(h); }
};
using svg_handle = std::unique_ptr<RsvgHandle, handle_deleter>;

svg_handle parse(std::string_view svg, std::string& error) {
  GError* problem = nullptr;
  RsvgHandle* h = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()),
                                            svg.size(), &problem);
  if (h == nullptr) {
    error = std::string("cannot read the drawing: ") + (problem ? problem->message : "?");
    if (problem) g_error_free(problem);
  }
  return svg_handle(h);
}

bool draw(RsvgHandle* h, cairo_t* cr, double width, double height, std::string& error) {
  const RsvgRectangle viewport{0.0, 0.0, width, height};
  GError* problem = nullptr;
  if (!rsvg_handle_render_document(h, cr, &viewport, &problem)) {
    error = std::string("cannot render the drawing: ") + (problem ? problem->message : "?");
    if (problem) g_error_free(problem);
    return false;
  }
  return true;
}

void put_big_endian(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

// A pHYs chunk (pixels per metre on both axes) right after IHDR, which
// cairo's PNG writer leaves out: without it viewers assume 72 or 96 dpi.
void record_resolution(std::string& png, double dpi) {
  constexpr std::size_t after_ihdr = 8 + 4 + 4 + 13 + 4;  // signature, IHDR chunk
  if (png.size() < after_ihdr || png.compare(12, 4, "IHDR") != 0) return;
  const auto per_metre = static_cast<std::uint32_t>(std::lround(dpi / 0.0254));
  std::string chunk;
  put_big_endian(chunk, 9);
  std::string body = "pHYs";
  put_big_endian(body, per_metre);
  put_big_endian(body, per_metre);
  body += '\1';  // unit: metre
  chunk += body;
  const auto crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()),
                         static_cast<uInt>(body.size()));
  put_big_endian(chunk, static_cast<std::uint32_t>(crc));
  png.insert(after_ihdr, chunk);
}

rendering render_png(std::string_view svg, double width, double height, double dpi) {
  rendering out;
  const svg_handle h = parse(svg, out.error);
  if (!h) return out;
  const int columns = static_cast<int>(std::lround(width / 96.0 * dpi));
  const int rows = static_cast<int>(std::lround(height / 96.0 * dpi));
  if (columns < 1 || rows < 1 || columns > 32767 || rows > 32767) {
    out.error = "a PNG of " + std::to_string(columns) + "x" + std::to_string(rows) +
                " pixels is beyond what can be rendered";
    return out;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, columns, rows);
  cairo_t* cr = cairo_create(surface);
  const bool drawn = draw(h.get(), cr, columns, rows, out.error);
  cairo_destroy(cr);
  if (drawn && cairo_surface_write_to_png_stream(surface, append_bytes, &out.bytes) ==
                   CAIRO_STATUS_SUCCESS) {
    record_resolution(out.bytes, dpi);
    out.ok = true;
  } else if (drawn) {
    out.error = std::string("cannot encode the PNG: ") +
                cairo_status_to_string(cairo_surface_status(surface));
  }
  cairo_surface_destroy(surface);
  return out;
}

rendering render_pdf(std::string_view svg, double width, double height, const std::string& title) {
  rendering out;
  const svg_handle h = parse(svg, out.error);
  if (!h) return out;
  const double points_wide = width * 72.0 / 96.0;
  const double points_high = height * 72.0 / 96.0;
  cairo_surface_t* surface =
      cairo_pdf_surface_create_for_stream(append_bytes, &out.bytes, points_wide, points_high);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "vollfarbe plot");
  cairo_t* cr = cairo_create(surface);
  const bool drawn = draw(h.get(), cr, points_wide, points_high, out.error);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (drawn && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    out.ok = true;
  } else if (drawn) {
    out.error = std::string("cannot write the PDF: ") +
                cairo_status_to_string(cairo_surface_status(surface));
  }
  cairo_surface_destroy(surface);
  return out;
}

std::string png_of_pixels(int columns, int rows, const std::uint32_t* pixels) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns, rows);
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::string png;
  if (data != nullptr) {
    for (int row = 0; row < rows; ++row) {
      std::memcpy(data + static_cast<std::ptrdiff_t>(row) * stride,
                  pixels + static_cast<std::ptrdiff_t>(row) * columns,
                  static_cast<std::size_t>(columns) * sizeof *pixels);
    }
    cairo_surface_mark_dirty(surface);
    if (cairo_surface_write_to_png_stream(surface, append_bytes, &png) != CAIRO_STATUS_SUCCESS) {
      png.clear();
    }
  }
  cairo_surface_destroy(surface);
  return png;
}

constexpr raster_renderer renderer{render_png, render_pdf, png_of_pixels};

}  // namespace
}  // namespace raster

extern "C" const raster::raster_renderer* vollfarbe_raster_renderer_v1() {
  return &raster::renderer;
}
