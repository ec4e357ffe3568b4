// The models the program knows by name, from colour/catalogue/observers.tsv
// and illuminants.tsv: the one list that the loader, the help, the error
// texts, the man page, the completion and the Python docs are made from.
//   observers()[1].name -> "cie1931", .cmf_file -> "cmf/CIE1931-2deg-XYZ.cmf",
//   .label -> "CIE 1931 2°", .purities -> true
//   observer_named("cie1964") -> its entry; observer_named("cie2006") -> nullptr
//   listed(observer_names()) -> "legacy, cie1931 or cie1964"
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace colour {

struct observer_entry {
  std::string_view name;
  std::string_view cmf_file;  // under colord's data folder; empty: the built-in tables
  std::string_view label;     // what a legend says
  bool purities;              // whether `dominant` fills the purity columns
  std::string_view description;
};

std::span<const observer_entry> observers();
const observer_entry* observer_named(std::string_view name);

// "legacy", "cie1931", "cie1964".
const std::vector<std::string>& observer_names();
// The illuminant names colord-data has: "A", "B", "C", "D50", ..., "E", "F1" .. "F12".
const std::vector<std::string>& illuminant_names();

// "a, b or c": a list of names as a message says it.
std::string listed(std::span<const std::string> names, std::string_view last_joint = " or ");

}  // namespace colour
