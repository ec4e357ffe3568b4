// The rendering functions for the program: each call goes to the renderer
// module, loaded at the first call. VOLLFARBE_RASTER_MODULE is the module's
// file name, from the build.
#include <variant>

#include "modules/loadable_module.h"
#include "raster/raster_module.h"

namespace raster {
namespace {

using renderer_or_problem = std::variant<const raster_renderer*, std::string>;

const renderer_or_problem& renderer() {
  static const renderer_or_problem loaded = []() -> renderer_or_problem {
    auto entry = modules::load_function<decltype(vollfarbe_raster_renderer_v1)>(
        VOLLFARBE_RASTER_MODULE, raster_renderer_entry, "the PNG and PDF renderer");
    if (auto* problem = std::get_if<std::string>(&entry)) return std::move(*problem);
    const raster_renderer* functions = std::get<0>(entry)();
    if (functions == nullptr || functions->png == nullptr || functions->pdf == nullptr ||
        functions->png_of_pixels == nullptr) {
      return modules::null_entry_result(VOLLFARBE_RASTER_MODULE, raster_renderer_entry,
                                        "the PNG and PDF renderer");
    }
    return functions;
  }();
  return loaded;
}

rendering failed(const std::string& problem) {
  rendering out;
  out.error = problem;
  return out;
}

}  // namespace

std::optional<std::string> raster_renderer_problem() {
  if (const auto* problem = std::get_if<std::string>(&renderer())) return *problem;
  return std::nullopt;
}

std::string encode_png(int columns, int rows, std::span<const std::uint32_t> pixels) {
  const auto& loaded = renderer();
  if (std::holds_alternative<std::string>(loaded) || columns < 1 || rows < 1 ||
      pixels.size() != static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows)) {
    return {};
  }
  return std::get<0>(loaded)->png_of_pixels(columns, rows, pixels.data());
}

rendering render_png(std::string_view svg, double width, double height, double dpi) {
  const auto& loaded = renderer();
  if (const auto* problem = std::get_if<std::string>(&loaded)) return failed(*problem);
  return std::get<0>(loaded)->png(svg, width, height, dpi);
}

rendering render_pdf(std::string_view svg, double width, double height, const std::string& title) {
  const auto& loaded = renderer();
  if (const auto* problem = std::get_if<std::string>(&loaded)) return failed(*problem);
  return std::get<0>(loaded)->pdf(svg, width, height, title);
}

}  // namespace raster
