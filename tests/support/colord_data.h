// The CIE tables of Debian's colord-data (make test installs it), read as the
// program reads them, for the tests of the CIE model.
#pragma once

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "colour/cgats_reader.h"
#include "colour/cie/cie_model.h"
#include "colour/cie/illuminant_resampling.h"

namespace test_support {

inline std::string colord_text(const std::string& relative) {
  const std::string path = "/usr/share/colord/" + relative;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + " is missing (the colord-data package has it)");
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline colour::spectral_table colord_table(const std::string& relative) {
  return colour::read_cgats(colord_text(relative));
}

// "cmf/CIE1931-2deg-XYZ.cmf" under "E" -> the model the program calls cie1931.
inline colour::cie_model colord_model(const std::string& cmf, const std::string& illuminant) {
  const colour::spectral_table functions = colord_table(cmf);
  const colour::spectral_table white = colord_table("illuminant/CIE-" + illuminant + ".sp");
  return colour::cie_model("test", "test", functions,
                           colour::resample_illuminant(white, functions));
}

inline const char* const cie1931 = "cmf/CIE1931-2deg-XYZ.cmf";
inline const char* const cie1964 = "cmf/CIE1964-10deg-XYZ.cmf";

}  // namespace test_support
