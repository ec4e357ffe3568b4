// The report file: created empty, the bytes exactly as printed, written out
// in blocks of 8192 bytes and completely at close. Failures are remembered
// as a message for the user instead of stopping the dialogue.
//
// A regular file is locked (flock) for the whole run before it is emptied:
// a second program in the same directory leaves it alone and writes no
// report. Anything but a regular file or a character device (/dev/null) is
// refused, and opening never blocks (a FIFO named like the report). A link
// another user planted in a shared directory is not followed (planted_links.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace textio {

class report_file {
 public:
  static constexpr std::size_t block_size = 8192;

  // Creates (or empties) the file; on failure is_open() is false and
  // problem() says why. Later writes then do nothing.
  explicit report_file(std::string name);
  ~report_file();
  report_file(const report_file&) = delete;
  report_file& operator=(const report_file&) = delete;

  bool is_open() const { return descriptor_ >= 0; }
  void write(std::string_view bytes);
  // Writes out what is buffered and closes the file.
  void close();

  // "could not create NAME: REASON", "could not write NAME: REASON" (also
  // when the file was deleted before the end), or "NAME was in use by
  // another running vollfarbe: this run's results were not written".
  const std::optional<std::string>& problem() const { return problem_; }

 private:
  void write_out(std::string_view bytes);

  std::string name_;
  int descriptor_ = -1;
  std::string buffer_;
  bool write_failed_ = false;
  std::optional<std::string> problem_;
};

}  // namespace textio
