// The page's files, built into the program from serve/page/ (no file is
// read at run time and nothing comes from the network).
#pragma once

#include <string_view>

namespace serve {

struct page_asset {
  std::string_view path;          // "/", "/page.js", "/page.css"
  std::string_view content_type;
  std::string_view body;
};

// The asset served at `path`, or nullptr.
const page_asset* page_asset_at(std::string_view path);

}  // namespace serve
