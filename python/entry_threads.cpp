#include "python/entry_threads.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "colour/exact_arithmetic.h"
#include "colour/parallel_passes.h"

namespace vollfarbe_python {
namespace {

namespace py = pybind11;

// Entries per slice between looks for Ctrl-C: well under a second of work.
constexpr std::size_t slice = std::size_t{1} << 20;
// Fewer entries than this per thread are not worth a thread's start.
constexpr std::size_t entries_per_thread = std::size_t{1} << 13;

void run_slice(std::size_t first, std::size_t count, unsigned threads,
               const std::function<void(std::size_t, std::size_t)>& range) {
  const std::size_t wanted = std::max<std::size_t>(1, count / entries_per_thread);
  const auto parts = static_cast<unsigned>(std::min<std::size_t>(threads, wanted));
  std::exception_ptr failure;
  std::mutex failure_lock;
  const auto run_part = [&](unsigned part) {
    const std::size_t begin = first + count * part / parts;
    const std::size_t end = first + count * (part + 1) / parts;
    try {
      const colour::exact_arithmetic scope;
      range(begin, end);
    } catch (...) {
      const std::lock_guard lock(failure_lock);
      if (!failure) failure = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  std::vector<unsigned> own_parts{0};
  for (unsigned part = 1; part < parts; ++part) {
    try {
      helpers.emplace_back(run_part, part);
    } catch (const std::system_error&) {
      own_parts.push_back(part);  // no thread to be had: the caller does this part too
    }
  }
  for (const unsigned part : own_parts) run_part(part);
  for (auto& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace

unsigned thread_count(py::handle threads) {
  if (threads.is_none()) return 0;
  if (!py::isinstance<py::int_>(threads) || py::isinstance<py::bool_>(threads)) {
    throw py::type_error("threads: give a count of threads as an int, or None for every core, not " +
                         py::repr(threads).cast<std::string>());
  }
  // An int beyond long long (2**63) is no count either: said so, not cast.
  int overflow = 0;
  const long long count = PyLong_AsLongLongAndOverflow(threads.ptr(), &overflow);
  if (overflow != 0 || count < 1 || count > 1024) {
    throw py::value_error("threads: " + py::repr(threads).cast<std::string>() +
                          " is no count of threads (1 to 1024, or None for every core)");
  }
  return static_cast<unsigned>(count);
}

void for_each_range(std::size_t count, unsigned threads,
                    const std::function<void(std::size_t, std::size_t)>& range) {
  const unsigned thread_limit = threads == 0 ? colour::available_cores() : threads;
  for (std::size_t start = 0; start < count; start += slice) {
    const std::size_t n = std::min(slice, count - start);
    {
      const py::gil_scoped_release release;
      run_slice(start, n, thread_limit, range);
    }
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  }
}

}  // namespace vollfarbe_python
