#include "modules/loadable_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace modules {
namespace {

namespace fs = std::filesystem;

// The two folders a module may be in. VOLLFARBE_MODULE_FOLDER
// is the installed module folder relative to the installed program's
// folder ("../lib/x86_64-linux-gnu/vollfarbe"), set by the build.
struct search {
  fs::path beside_program;
  fs::path installed;
};

std::variant<search, std::string> folders() {
  std::error_code problem;
  const fs::path program = fs::read_symlink("/proc/self/exe", problem);
  if (problem) return "cannot find the program's own folder: /proc/self/exe: " + problem.message();
  const fs::path folder = program.parent_path();
  return search{folder, (folder / VOLLFARBE_MODULE_FOLDER).lexically_normal()};
}

std::string loader_message() {
  const char* text = ::dlerror();
  return text != nullptr ? text : "unknown reason";
}

// The loader names the file itself when the file is the problem, and only
// the missing library when one of the module's libraries is.
std::string with_file(const fs::path& file, const std::string& reason) {
  return reason.starts_with(file.native()) ? reason : file.native() + ": " + reason;
}

// The module's file: when neither folder has it, the installed place is the
// one to name.
std::variant<fs::path, std::string> module_file(std::string_view file_name) {
  const auto where = folders();
  if (const auto* problem = std::get_if<std::string>(&where)) return *problem;
  const auto& [beside_program, installed] = std::get<search>(where);
  fs::path file = beside_program / file_name;
  std::error_code ignored;
  if (!fs::exists(file, ignored)) file = installed / file_name;
  return file;
}

}  // namespace

std::string null_entry_result(std::string_view file_name, const char* entry,
                              std::string_view purpose) {
  const auto file = module_file(file_name);
  const std::string where = std::holds_alternative<fs::path>(file)
                                ? std::get<fs::path>(file).native()
                                : std::string(file_name);
  return "cannot load " + std::string(purpose) + ": " + where + ": " + entry +
         " returned a null pointer (a broken module)";
}

std::variant<void*, std::string> load_entry_point(std::string_view file_name, const char* entry,
                                                  std::string_view purpose) {
  const std::string failure = "cannot load " + std::string(purpose) + ": ";
  const auto found = module_file(file_name);
  if (const auto* problem = std::get_if<std::string>(&found)) return failure + *problem;
  const fs::path& file = std::get<fs::path>(found);

  // Every symbol bound now: a module that does not fit its libraries fails
  // here, with the loader's message, not later in the middle of a run.
  void* const module = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return failure + with_file(file, loader_message());
  ::dlerror();
  void* const address = ::dlsym(module, entry);
  if (address == nullptr) {
    return failure + with_file(file, loader_message()) +
           " (not a module of this version of the program)";
  }
  return address;
}

}  // namespace modules
