// Threads take blocks of passes from a shared counter until none are left, so
// that a core busy with something else simply takes fewer blocks. Which thread
// computes a block makes no difference to its bits.
#include "colour/parallel_passes.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "colour/exact_arithmetic.h"

namespace colour {
namespace {

// About half a millisecond of passes: small enough to even out the cores'
// finishing times, large enough that taking a block costs nothing.
constexpr std::size_t block_passes = 2048;

class shared_batch {
 public:
  shared_batch(std::span<const double> lc, std::span<const double> l, std::span<pass_result> out,
               const model& m)
      : lc_(lc), l_(l), out_(out), model_(m), blocks_((out.size() + block_passes - 1) / block_passes) {}

  // Computes blocks until none are left or one has failed.
  void work() noexcept {
    const exact_arithmetic scope;
    for (;;) {
      const std::size_t block = next_.fetch_add(1, std::memory_order_relaxed);
      if (block >= blocks_ || failed_.load(std::memory_order_relaxed)) return;
      const std::size_t start = block * block_passes;
      const std::size_t n = std::min(block_passes, out_.size() - start);
      try {
        model_.passes(lc_.subspan(start, n), l_.subspan(start, n), out_.subspan(start, n));
      } catch (...) {
        const std::lock_guard lock(error_mutex_);
        if (!error_) error_ = std::current_exception();
        failed_.store(true, std::memory_order_relaxed);
        return;
      }
    }
  }

  void rethrow_failure() const {
    if (error_) std::rethrow_exception(error_);
  }

 private:
  std::span<const double> lc_;
  std::span<const double> l_;
  std::span<pass_result> out_;
  const model& model_;
  std::size_t blocks_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  std::mutex error_mutex_;
  std::exception_ptr error_;
};

}  // namespace

unsigned available_cores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) == 0) {
    const int count = CPU_COUNT(&set);
    if (count > 0) return static_cast<unsigned>(count);
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

void compute_passes(std::span<const double> lc, std::span<const double> l,
                    std::span<pass_result> out, const model& m, unsigned threads) {
  if (lc.size() != out.size() || l.size() != out.size()) {
    throw std::invalid_argument("compute_passes: lc, l and out differ in length");
  }
  const std::size_t blocks = (out.size() + block_passes - 1) / block_passes;
  const std::size_t wanted = threads == 0 ? available_cores() : threads;
  const std::size_t count = std::min(wanted, blocks);
  if (count <= 1) {
    compute_passes(lc, l, out, m);
    return;
  }
  shared_batch batch(lc, l, out, m);
  {
    std::vector<std::jthread> helpers;
    helpers.reserve(count - 1);
    for (std::size_t i = 1; i < count; ++i) {
      try {
        helpers.emplace_back([&batch] { batch.work(); });
      } catch (const std::system_error&) {
        break;  // no more threads: those running and the caller share the blocks
      }
    }
    batch.work();
  }  // the helpers join here
  batch.rethrow_failure();
}

}  // namespace colour
