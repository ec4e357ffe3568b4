// A byte sink for the batch commands: a fixed buffer in front of a FILE*, so
// that hundreds of thousands of rows cost no allocation and few write calls.
// A failed write is remembered and reported by finish(); nothing throws.
#pragma once

#include <array>
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace table {

class output_buffer {
 public:
  explicit output_buffer(std::FILE* sink) : sink_(sink) {}
  output_buffer(const output_buffer&) = delete;
  output_buffer& operator=(const output_buffer&) = delete;
  ~output_buffer() { flush(); }

  void put(std::string_view text);
  void put(char c) {
    if (used_ == buffer_.size()) flush();
    buffer_[used_++] = c;
  }
  // Shortest text that reads back to the same double; `not_finite` for NaN
  // and the infinities (empty for CSV, "null" for JSON).
  void put_number(double value, std::string_view not_finite);

  void flush();
  // Flushes this buffer and the FILE*'s own: what was put reaches the reader
  // now (before the program waits for more input).
  void push_out();
  // Flushes and tells whether every byte reached the sink.
  bool finish();

  // Whether a write has failed: nothing more can reach the sink, and the
  // errno of that write (EPIPE, ENOSPC, EFBIG, ...).
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  void fail();

  std::FILE* sink_;
  std::array<char, 1 << 16> buffer_{};
  std::size_t used_ = 0;
  bool failed_ = false;
  int error_ = 0;
};

}  // namespace table
