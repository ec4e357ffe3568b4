// The PNG and PDF renderer as a loadable module (vollfarbe_raster_output.so,
// built from raster_output.cpp): librsvg, cairo and their many libraries are
// mapped only by the runs that render. The program finds the module's one
// exported function by name and gets the rendering functions from it.
// A change of these types is a new entry name (_v2), so that a module of
// another version fails to load with a message instead of misbehaving.
#pragma once

#include "raster/raster_output.h"

namespace raster {

struct raster_renderer {
  rendering (*png)(std::string_view svg, double width, double height, double dpi);
  rendering (*pdf)(std::string_view svg, double width, double height, const std::string& title);
  // `pixels` holds columns * rows values.
  std::string (*png_of_pixels)(int columns, int rows, const std::uint32_t* pixels);
};

inline constexpr char raster_renderer_entry[] = "vollfarbe_raster_renderer_v1";

}  // namespace raster

extern "C" [[gnu::visibility("default")]] const raster::raster_renderer*
vollfarbe_raster_renderer_v1();
