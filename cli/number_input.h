// Numbers typed by the user for the batch commands (wavelengths, chromaticities,
// luminances): checked before any result is written.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// A finite decimal number, nothing else; blanks around it are allowed:
//   "600" -> 600, " 489.996 " -> 489.996, "+5e2" -> 500,
//   "600nm", "6,5", "", "nan", "inf" -> usage_error "... is not a number",
//   "1e400", "1e-400" -> usage_error "... is out of range".
// `what` names the entry in the message, e.g. "wavelength" or "--from".
double parse_number(std::string_view text, std::string_view what);

// The same without a message: whether `text` is such a number, and its value.
bool read_number(std::string_view text, double& value);

// Text of the user's quoted in a message: at most 60 bytes, escaped where it
// would drive the terminal: "6\x1b[2J" -> "\"6\\x1b[2J\"".
std::string quoted(std::string_view text);

}  // namespace cli
