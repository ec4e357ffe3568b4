// Colour models by name: the built-in tables ("legacy"), or a CIE observer
// under an illuminant, read from Debian's colord-data at run time:
//   /usr/share/colord/cmf/CIE1931-2deg-XYZ.cmf        cie1931
//   /usr/share/colord/cmf/CIE1964-10deg-XYZ.cmf       cie1964
//   /usr/share/colord/illuminant/CIE-<NAME>.sp        A, B, C, D50, ..., E, F1 .. F12
//   /usr/share/colord/ref/CIE-1986-daylight-SPD.cmf   D:T, daylight of T kelvin
//                                                     (colour/cie/daylight_illuminant.h)
// or any file of the same format (CGATS text).
//
//   load_model("cie1931", "D65")->white_point()   -> (0.31271, 0.32901)
//   load_model("legacy")                          -> the built-in tables
//   load_model("cie1931", "./my-lamp.sp")         -> that illuminant
//   load_model("cie1931", "D66")                  -> model_load_error
//
// A file that is missing or malformed is a model_load_error whose message is
// one line naming the file, the line and what is wrong:
//   "/tmp/x.cmf:12: too few values: 94 of SPECTRAL_BANDS 95"
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "colour/catalogue/model_catalogue.h"
#include "colour/cgats_reader.h"
#include "colour/colour_model.h"

namespace colour {

struct model_load_error : std::runtime_error {
  explicit model_load_error(const std::string& message) : std::runtime_error(message) {}
};

// Where colord-data keeps its tables.
inline constexpr std::string_view colord_data_dir = "/usr/share/colord";

// The illuminant every CIE observer uses unless told otherwise: E, the
// white of the built-in tables, so that the two compare like for like.
inline constexpr std::string_view default_illuminant = "E";

// An observer by name under an illuminant given by name (any case) or as a
// file (a text with a '/' or a '.' in it is a file). The built-in tables
// have the white point E only: another illuminant with "legacy" is an error.
//
// `warnings`, when given, receives one line (naming the file) for each thing
// the data let pass that a user should know of: an illuminant whose data
// stop more than 50 nm short of the observer's range (its end value is held
// constant there), data sets the model does not use, a subnormal value.
std::shared_ptr<const model> load_model(std::string_view observer,
                                        std::string_view illuminant = default_illuminant,
                                        std::vector<std::string>* warnings = nullptr);

// An observer from a file of colour-matching functions (three sets), named
// after the file ("CIE2006-2deg.cmf" -> "CIE2006-2deg").
std::shared_ptr<const model> load_cmf_model(const std::string& cmf_file,
                                            std::string_view illuminant = default_illuminant,
                                            std::vector<std::string>* warnings = nullptr);

// CIE daylight of `cct` kelvin (4,000 .. 25,000) on the basis functions'
// grid, 300 .. 830 nm by 5 nm (colour/cie/daylight_illuminant.h); a missing
// basis file, or a temperature outside the range, is a model_load_error.
spectral_table daylight_table(double cct);

// Several observers from a comma-separated list, in its order:
// "legacy,cie1931" -> the built-in tables and CIE 1931; a name listed twice
// or an empty item is an error.
std::vector<std::shared_ptr<const model>> load_models(
    std::string_view observer_list, std::string_view illuminant = default_illuminant,
    std::vector<std::string>* warnings = nullptr);

}  // namespace colour
