#include "textio/shortest_number.h"

#include <charconv>

namespace textio {

char* write_shortest(double value, char* out) {
  return std::to_chars(out, out + shortest_number_capacity, value).ptr;
}

std::string shortest_text(double value) {
  char text[shortest_number_capacity];
  return {text, write_shortest(value, text)};
}

}  // namespace textio
