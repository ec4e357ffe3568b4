// Compares the program's shortest number text with std::to_chars for many
// doubles, on every core: the tests run tens of millions in seconds, the
// benchmark many more.
#pragma once

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "textio/shortest_number.h"

namespace test_support {

struct to_chars_comparison {
  std::uint64_t compared = 0;
  std::string first_difference;  // "value: to_chars text | our text", or empty
};

// Compares value_of(i) for every i < count (value_of must be thread-safe).
template <typename ValueOf>
to_chars_comparison compare_with_to_chars(std::uint64_t count, ValueOf value_of) {
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  std::atomic<std::uint64_t> compared{0};
  std::mutex difference_mutex;
  to_chars_comparison result;
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back([&, t] {
      char expected[64];
      char ours[64];
      std::uint64_t done = 0;
      for (std::uint64_t i = t; i < count; i += threads) {
        const double v = value_of(i);
        const std::string_view a(expected, static_cast<std::size_t>(
                                               std::to_chars(expected, expected + sizeof expected, v).ptr - expected));
        const std::string_view b(ours, static_cast<std::size_t>(textio::write_shortest(v, ours) - ours));
        ++done;
        if (a != b) {
          const std::lock_guard lock(difference_mutex);
          if (result.first_difference.empty()) {
            result.first_difference = std::string(a) + " | " + std::string(b);
          }
          break;
        }
      }
      compared += done;
    });
  }
  for (auto& thread : pool) thread.join();
  result.compared = compared;
  return result;
}

}  // namespace test_support
