// Writing a finished output file so that a failure never leaves a broken
// one: the bytes go to a temporary file in the same directory, which is
// renamed into place only when it is complete. A good file stays as it was
// when the disk is full, a file-size limit is hit or the program is killed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plot {

// Writes `bytes` as the file `path`. Returns nullopt, or the reason of the
// failure (strerror text) with nothing changed. A path that is no regular
// file (/dev/stdout, a FIFO) is written to directly; a symbolic link keeps
// pointing where it pointed, to the new contents.
std::optional<std::string> write_file_whole(const std::string& path, std::string_view bytes);

}  // namespace plot
