// Wavelengths typed by the user for the batch commands: single numbers and
// lists read from a stream, one per line. Everything is checked before any
// result is written, so a bad entry leaves stdout empty.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace table {

// A finite decimal number, nothing else; blanks around it are allowed:
//   "600" -> 600, " 489.996 " -> 489.996, "+5e2" -> 500,
//   "600nm", "6,5", "", "nan", "inf" -> usage_error naming the text.
// `what` names the entry in the message, e.g. "wavelength" or "--from".
double parse_wavelength(std::string_view text, std::string_view what);

// One wavelength per line; blank lines are skipped, CR LF line ends allowed.
// The first bad line gives a usage_error with its line number and text.
std::vector<double> read_wavelength_lines(std::FILE* in);
std::vector<double> parse_wavelength_lines(std::string_view text);

}  // namespace table
