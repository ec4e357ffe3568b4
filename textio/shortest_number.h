// Numbers of the batch commands as the shortest text that reads back to the
// same double, e.g.
//   45.67611650968549 -> "45.67611650968549"
//   600               -> "600"
//   0.1 + 0.2         -> "0.30000000000000004"
//   1e-05             -> "1e-05"
//   -0.0              -> "-0"
// NaN and the infinities are the caller's business (they have no number text
// in CSV or JSON).
#pragma once

#include <cstddef>
#include <string>

namespace textio {

// The room write_shortest needs: any finite double's text (at most 24
// characters, -1.2345678901234567e-308) and up to 8 bytes after it, which
// the writer may overwrite (it stores whole 8-byte words).
inline constexpr std::size_t shortest_number_capacity = 32;

// Writes the shortest text of a finite value at `out`, which has room for
// shortest_number_capacity bytes; returns the text's end.
char* write_shortest(double value, char* out);

std::string shortest_text(double value);

}  // namespace textio
