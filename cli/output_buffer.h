// A byte sink for the batch commands: one fixed buffer written to the file
// descriptor with write(2), with no stdio buffer behind it, so that hundreds
// of thousands of rows cost no allocation, few system calls and one copy.
// A FILE* without a descriptor (a memory stream) is written through stdio.
// A failed write is remembered and reported by finish(); nothing throws, and
// nothing more is written after it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace cli {

class output_buffer {
 public:
  // Writes out what the FILE* holds already, then takes over its descriptor.
  explicit output_buffer(std::FILE* sink);
  output_buffer(const output_buffer&) = delete;
  output_buffer& operator=(const output_buffer&) = delete;
  ~output_buffer() { flush(); }

  // Text of any length (a large block goes out directly, not copied).
  void put(std::string_view text);
  // Room for `n` bytes (n <= 4 KiB) at the returned pointer; commit(end)
  // keeps what was written up to `end`.
  char* reserve(std::size_t n) {
    if (buffer_.size() - used_ < n) flush();
    return buffer_.data() + used_;
  }
  void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }

  // Everything put so far goes to the sink now (before the program waits for
  // more input, or when a block is complete).
  void flush();
  void push_out() { flush(); }
  // Flushes and tells whether every byte reached the sink.
  bool finish();

  // Whether a write has failed: nothing more can reach the sink, and the
  // errno of that write (EPIPE, ENOSPC, EFBIG, ...).
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  void write_out(std::string_view bytes);
  void fail(int error);

  std::FILE* sink_;
  int fd_ = -1;
  std::array<char, 1 << 16> buffer_{};
  std::size_t used_ = 0;
  bool failed_ = false;
  int error_ = 0;
};

}  // namespace cli
