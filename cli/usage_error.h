// A mistake in what the user asked for (a bad number, an empty range, a
// wrong option): the command writes nothing to stdout, the message goes to
// stderr and the program exits with status 2.
#pragma once

#include <stdexcept>
#include <string>

namespace cli {

struct usage_error : std::runtime_error {
  explicit usage_error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace cli
