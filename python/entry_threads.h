// Runs a function of one entry over every entry of an array, on several
// threads, without the GIL and inside the exact arithmetic (each thread holds
// its own scope: the x87 and SSE modes are per thread). Entries are
// independent, so the bits are the same for any thread count and split.
//
//   for_each_entry(n, threads, [&](std::size_t i) { out[i] = f(in[i]); });
//
// Large arrays go a slice at a time, with a look for Ctrl-C between slices;
// small ones stay on the calling thread (a thread is not worth starting for
// a few thousand entries).
#pragma once

#include <pybind11/pybind11.h>

#include <cstddef>
#include <functional>

namespace vollfarbe_python {

// threads=None: every core the process may run on; otherwise a count of at
// least 1 (TypeError, ValueError naming `threads`). Returns 0 for every core.
unsigned thread_count(pybind11::handle threads);

// Calls range(begin, end) over disjoint ranges covering [0, count) on up to
// `threads` threads (0: every core). Call with the GIL held; it is released
// while the ranges run. An exception from a range is rethrown once every
// thread has ended.
void for_each_range(std::size_t count, unsigned threads,
                    const std::function<void(std::size_t, std::size_t)>& range);

template <typename Entry>
void for_each_entry(std::size_t count, unsigned threads, Entry entry) {
  for_each_range(count, threads, [&entry](std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) entry(i);
  });
}

}  // namespace vollfarbe_python
