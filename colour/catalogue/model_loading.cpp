#include "colour/catalogue/model_loading.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "colour/catalogue/model_catalogue.h"
#include "colour/cgats_reader.h"
#include "colour/cie/cie_model.h"
#include "colour/cie/daylight_illuminant.h"
#include "colour/cie/illuminant_resampling.h"
#include "colour/legacy/legacy_model.h"

namespace colour {
namespace {

// No spectral table comes near this; a larger file is a mistake.
constexpr long max_file_bytes = 64L << 20;

std::string read_file(const std::string& path) {
  // Non-blocking: a FIFO (or a device) in a file's place must not wait for a
  // writer forever; only a regular file holds spectral data.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    std::string message = path + ": cannot read: " + std::strerror(error);
    if (path.starts_with(colord_data_dir)) message += " (the colord-data package has it)";
    throw model_load_error(message);
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const bool directory = S_ISDIR(status.st_mode);
    ::close(fd);
    throw model_load_error(path + ": cannot read: " +
                           (directory ? std::strerror(EISDIR) : "not a regular file"));
  }
  if (status.st_size > max_file_bytes) {
    ::close(fd);
    throw model_load_error(path + ": too large for spectral data");
  }
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      throw model_load_error(path + ": cannot read: " + std::strerror(error));
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    if (text.size() > static_cast<std::size_t>(max_file_bytes)) {
      ::close(fd);
      throw model_load_error(path + ": too large for spectral data");
    }
  }
  ::close(fd);
  return text;
}

spectral_table read_table(const std::string& path, std::size_t sets_used) {
  const std::string text = read_file(path);
  try {
    return read_cgats(text, sets_used);
  } catch (const cgats_error& e) {
    throw model_load_error(path + ":" + std::to_string(e.line()) + ": " + e.what());
  }
}

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool is_file_name(std::string_view text) {
  return text.find('/') != std::string_view::npos || text.find('.') != std::string_view::npos;
}

struct illuminant_source {
  std::string path;
  std::string label;  // "D65", or the file's name
  bool named = false;  // one of colord's own, whose extent is known (B ends at 770 nm)
};

std::string base_name(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

illuminant_source illuminant_named(std::string_view illuminant) {
  if (is_file_name(illuminant)) return {std::string(illuminant), base_name(std::string(illuminant)), false};
  const std::string name = upper(illuminant);
  const auto& names = illuminant_names();
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    throw model_load_error("--illuminant: \"" + std::string(illuminant) +
                           "\" is no illuminant (" + listed(names, ", ") + ") and no file");
  }
  return {std::string(colord_data_dir) + "/illuminant/CIE-" + name + ".sp", name, true};
}

std::string nm(double v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end) + " nm";
}

// The warnings of load_model (model_loading.h), one line each.
void note_questionable_data(const spectral_table& cmf, const std::string& cmf_path,
                            const spectral_table& spd, const std::string& spd_path,
                            bool named_illuminant, std::vector<std::string>& warnings) {
  constexpr double longest_hold_nm = 50;
  const double below = std::min(spd.start_nm, cmf.end_nm);
  if (!named_illuminant && below - cmf.start_nm > longest_hold_nm) {
    warnings.push_back(spd_path + ": its data begin at " + nm(spd.start_nm) +
                       ", so its first value is held constant from " + nm(cmf.start_nm) +
                       " to " + nm(below));
  }
  const double above = std::max(spd.end_nm, cmf.start_nm);
  if (!named_illuminant && cmf.end_nm - above > longest_hold_nm) {
    warnings.push_back(spd_path + ": its data end at " + nm(spd.end_nm) +
                       ", so its last value is held constant from " + nm(above) + " to " +
                       nm(cmf.end_nm));
  }
  if (cmf.sets_in_file > 3) {
    warnings.push_back(cmf_path + ": " + std::to_string(cmf.sets_in_file) +
                       " data sets, of which the first 3 are used");
  }
  if (spd.sets_in_file > 1) {
    warnings.push_back(spd_path + ": " + std::to_string(spd.sets_in_file) +
                       " data sets, of which the first is used");
  }
  for (const auto& [table, path] : {std::pair{&cmf, &cmf_path}, std::pair{&spd, &spd_path}}) {
    if (table->has_subnormal) {
      warnings.push_back(*path + ": a value below 2.2250738585072014e-308 (subnormal), "
                                 "held with fewer digits than a double has");
    }
  }
}

// Daylight at a temperature, "D:6504": the CIE's basis functions in
// colord-data, weighted for it.
bool is_daylight_name(std::string_view illuminant) {
  return illuminant.size() > 2 && (illuminant[0] == 'D' || illuminant[0] == 'd') &&
         illuminant[1] == ':';
}

struct illuminant_data {
  spectral_table spd;
  illuminant_source source;
};

std::string daylight_basis_path() {
  return std::string(colord_data_dir) + "/ref/CIE-1986-daylight-SPD.cmf";
}

illuminant_data illuminant_data_of(std::string_view illuminant) {
  if (!is_daylight_name(illuminant)) {
    illuminant_source source = illuminant_named(illuminant);
    return {read_table(source.path, 1), std::move(source)};
  }
  try {
    // The CIE's own basis: known to cover 300 .. 830 nm, nothing to warn about.
    return {daylight_table(daylight_cct_of(illuminant)), {daylight_basis_path(), upper(illuminant), true}};
  } catch (const std::invalid_argument& e) {
    throw model_load_error("--illuminant " + std::string(e.what()));
  }
}

std::shared_ptr<const model> cie_model_of(const std::string& cmf_path, std::string name,
                                          const std::string& observer_label,
                                          std::string_view illuminant,
                                          std::vector<std::string>* warnings) {
  // x̄, ȳ, z̄; an illuminant's power: what the model uses of each file.
  const spectral_table cmf = read_table(cmf_path, 3);
  const auto [spd, source] = illuminant_data_of(illuminant);
  if (warnings != nullptr) note_questionable_data(cmf, cmf_path, spd, source.path, source.named, *warnings);
  try {
    return std::make_shared<cie_model>(std::move(name),
                                               observer_label + ", " + source.label, cmf,
                                               resample_illuminant(spd, cmf));
  } catch (const model_data_error& e) {
    throw model_load_error(cmf_path + " with " + source.path + ": " + e.what());
  }
}

}  // namespace

spectral_table daylight_table(double cct) {
  const spectral_table basis = read_table(daylight_basis_path(), 3);
  try {
    return daylight_spectrum(cct, basis);
  } catch (const std::exception& e) {
    throw model_load_error(daylight_basis_path() + ": " + e.what());
  }
}

std::shared_ptr<const model> load_model(std::string_view observer, std::string_view illuminant,
                                        std::vector<std::string>* warnings) {
  const observer_entry* entry = observer_named(observer);
  if (entry == nullptr) {
    throw model_load_error("--observer: \"" + std::string(observer) + "\" is not " +
                           listed(observer_names()));
  }
  if (entry->cmf_file.empty()) {  // the built-in tables
    if (upper(illuminant) != "E") {
      throw model_load_error("--illuminant " + std::string(illuminant) + ": the " +
                             std::string(entry->label) + " (" + std::string(entry->name) +
                             ") have the white point E only");
    }
    // The built-in tables live as long as the program: nothing to delete.
    return std::shared_ptr<const model>(&legacy_model(), [](const model*) {});
  }
  return cie_model_of(std::string(colord_data_dir) + "/" + std::string(entry->cmf_file),
                      std::string(entry->name), std::string(entry->label), illuminant, warnings);
}

std::shared_ptr<const model> load_cmf_model(const std::string& cmf_file,
                                            std::string_view illuminant,
                                            std::vector<std::string>* warnings) {
  std::string name = base_name(cmf_file);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  // The name becomes a column prefix and a JSON key: plain characters only.
  for (char& c : name) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')) c = '_';
  }
  return cie_model_of(cmf_file, name, name, illuminant, warnings);
}

std::vector<std::shared_ptr<const model>> load_models(std::string_view observer_list,
                                                      std::string_view illuminant,
                                                      std::vector<std::string>* warnings) {
  std::vector<std::string_view> names;
  while (true) {
    const std::size_t comma = observer_list.find(',');
    names.push_back(observer_list.substr(0, comma));
    if (comma == std::string_view::npos) break;
    observer_list.remove_prefix(comma + 1);
  }
  std::vector<std::shared_ptr<const model>> models;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) throw model_load_error("--observer: an empty name in the list");
    if (std::find(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(i), names[i]) !=
        names.begin() + static_cast<std::ptrdiff_t>(i)) {
      throw model_load_error("--observer: \"" + std::string(names[i]) + "\" is listed twice");
    }
    models.push_back(load_model(names[i], illuminant, warnings));
  }
  return models;
}

}  // namespace colour
