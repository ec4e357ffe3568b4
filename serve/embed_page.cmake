# Writes OUTPUT, a C++ file that holds the page's files (PAGE_DIR/index.html,
# page.js, page.css) as byte arrays with serve::page_asset_at over them.
# Run by the build whenever one of the files changes.
# Each entry: file|path|content type.
set(assets "index.html|/|text/html, charset=utf-8"
           "page.js|/page.js|text/javascript, charset=utf-8"
           "page.css|/page.css|text/css, charset=utf-8")
set(arrays "")
set(rows "")
set(n 0)
foreach(asset IN LISTS assets)
  string(REGEX MATCH "^([^|]*)\\|([^|]*)\\|(.*)$" _ "${asset}")
  set(file ${CMAKE_MATCH_1})
  set(path ${CMAKE_MATCH_2})
  set(type ${CMAKE_MATCH_3})
  string(REPLACE ", " "; " type "${type}")  # no ';' in a CMake list item
  file(READ ${PAGE_DIR}/${file} bytes HEX)
  string(LENGTH "${bytes}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
  string(APPEND arrays "const char asset_${n}[] = {${bytes} 0};\n")
  string(APPEND rows "    {\"${path}\", \"${type}\", {asset_${n}, ${size}}},\n")
  math(EXPR n "${n} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Made by serve/embed_page.cmake from serve/page/: do not edit.
#include \"serve/page_assets.h\"

namespace serve {
namespace {
${arrays}
const page_asset assets[] = {
${rows}};
}  // namespace

const page_asset* page_asset_at(std::string_view path) {
  for (const page_asset& a : assets) {
    if (a.path == path) return &a;
  }
  return nullptr;
}

}  // namespace serve
")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
