// The program's loadable modules. The parts that bring large libraries with
// them (librsvg and cairo for PNG and PDF, SDL2 and X11 for the window) are
// shared objects of their own, loaded by the runs that use them; a table,
// the terminal or piped dialogue, --help and --version neither map nor
// relocate those libraries, which would cost them about 12 MB of resident
// memory before their first row.
//
// A module is looked for beside the program (the build tree), then in the
// program's installed module folder, relative to where the program is (the
// build chooses the folder, on Debian lib/<triplet>/vollfarbe):
//   build/vollfarbe     -> build/NAME
//   /usr/bin/vollfarbe  -> /usr/lib/x86_64-linux-gnu/vollfarbe/NAME
//   /opt/x/bin/vollfarbe -> /opt/x/lib/x86_64-linux-gnu/vollfarbe/NAME
// A module stays loaded until the process ends: its code may still run in
// exit handlers (SDL's, cairo's) then.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace modules {

// The module file `file_name` for `purpose` (words for a message, such as
// "the PNG and PDF renderer") and the address of its entry point `entry`,
// or why not, naming the file and the loader's own words:
//   "cannot load the window host: /usr/lib/x86_64-linux-gnu/vollfarbe/
//    vollfarbe_window_host.so: cannot open shared object file: No such file
//    or directory"
std::variant<void*, std::string> load_entry_point(std::string_view file_name, const char* entry,
                                                  std::string_view purpose);

// The message for a module whose entry point gave a null pointer where it
// must give its functions or its object: the module is broken.
//   "cannot load the PNG and PDF renderer: /usr/lib/.../vollfarbe_raster_output.so:
//    vollfarbe_raster_renderer_v1 returned a null pointer (a broken module)"
std::string null_entry_result(std::string_view file_name, const char* entry,
                              std::string_view purpose);

// The same, as the entry's function type.
template <typename Function>
std::variant<Function*, std::string> load_function(std::string_view file_name, const char* entry,
                                                   std::string_view purpose) {
  auto found = load_entry_point(file_name, entry, purpose);
  if (auto* problem = std::get_if<std::string>(&found)) return std::move(*problem);
  return reinterpret_cast<Function*>(std::get<void*>(found));
}

}  // namespace modules
