#include "table/parallel_rows.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/held_signals.h"
#include "command_rows/table_columns.h"

namespace table {
namespace {

// Rows in a block: 512 rows are at most 512 KiB of text.
constexpr std::size_t block_rows = 512;

class row_ring {
 public:
  row_ring(std::uint64_t count, const wavelength_source& wavelengths, const row_formatter& formatter,
           std::span<const colour::model* const> models, double partner, unsigned threads)
      : count_(count),
        blocks_((count + block_rows - 1) / block_rows),
        wavelengths_(wavelengths),
        formatter_(formatter),
        models_(models),
        partner_(partner),
        slots_(2 * std::size_t{threads}) {
    // Not zeroed: a page costs memory only once rows are written into it.
    for (slot& s : slots_) s.text.reset(new char[block_rows * formatter.row_bytes()]);
  }

  // A thread's work: blocks until none are left or the writer stops. A
  // failure stops the table and reaches the writer.
  void compute() noexcept {
    try {
      compute_blocks();
    } catch (...) {
      const std::lock_guard lock(mutex_);
      if (!failure_) failure_ = std::current_exception();
      stopped_ = true;
      changed_.notify_all();
    }
  }

  void compute_blocks() {
    std::vector<double> entries(block_rows);
    const std::vector<double> partners(block_rows, partner_);
    std::vector<std::vector<colour::pass_result>> passes(
        models_.size(), std::vector<colour::pass_result>(block_rows));
    std::vector<table_row> parts(models_.size());
    for (;;) {
      const std::uint64_t block = next_block_.fetch_add(1);
      if (block >= blocks_) return;
      slot& s = slots_[block % slots_.size()];
      {
        // The slot is free once the block a ring before this one is written.
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || block < written_ + slots_.size(); });
        if (stopped_) return;
      }
      const std::uint64_t first = block * block_rows;
      const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(block_rows, count_ - first));
      wavelengths_(first, std::span(entries).first(n));
      for (std::size_t m = 0; m < models_.size(); ++m) {
        colour::compute_passes(std::span(entries).first(n), std::span(partners).first(n),
                               std::span(passes[m]).first(n), *models_[m]);
      }
      char* end = s.text.get();
      for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t m = 0; m < models_.size(); ++m) parts[m] = table_row_of(entries[i], passes[m][i]);
        end = formatter_.write_row(end, parts, first + i == 0);
      }
      const std::lock_guard lock(mutex_);
      s.length = static_cast<std::size_t>(end - s.text.get());
      s.block = block;
      s.ready = true;
      changed_.notify_all();
    }
  }

  // The calling thread's work: the blocks in order, until one fails to write.
  void write(cli::output_buffer& out) {
    for (std::uint64_t block = 0; block < blocks_ && !out.failed(); ++block) {
      slot& s = slots_[block % slots_.size()];
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return stopped_ || (s.ready && s.block == block); });
        if (failure_) std::rethrow_exception(failure_);
        if (stopped_) break;
      }
      out.put(std::string_view(s.text.get(), s.length));
      const std::lock_guard lock(mutex_);
      s.ready = false;
      written_ = block + 1;
      changed_.notify_all();
    }
    stop();
  }

  void stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  struct slot {
    std::unique_ptr<char[]> text;
    std::size_t length = 0;
    std::uint64_t block = 0;
    bool ready = false;
  };

  const std::uint64_t count_;
  const std::uint64_t blocks_;
  const wavelength_source& wavelengths_;
  const row_formatter& formatter_;
  std::span<const colour::model* const> models_;
  const double partner_;
  std::vector<slot> slots_;
  std::atomic<std::uint64_t> next_block_{0};
  std::mutex mutex_;
  std::condition_variable changed_;
  std::uint64_t written_ = 0;  // blocks written so far
  bool stopped_ = false;
  std::exception_ptr failure_;
};

}  // namespace

void write_rows_in_parallel(std::uint64_t count, const wavelength_source& wavelengths,
                            const row_formatter& formatter,
                            std::span<const colour::model* const> models, double partner,
                            cli::output_buffer& out, unsigned threads) {
  row_ring ring(count, wavelengths, formatter, models, partner, std::max(1u, threads));
  std::vector<std::jthread> workers;
  // The workers start with the ending signals held, so that one always
  // reaches this thread, which holds it only while whole rows go out.
  std::optional<cli::held_signals> while_starting(std::in_place);
  for (unsigned i = 0; i < std::max(1u, threads); ++i) {
    try {
      workers.emplace_back([&ring] { ring.compute(); });
    } catch (const std::system_error&) {
      if (workers.empty()) throw;  // not even one thread
      break;                       // fewer threads do the same work
    }
  }
  while_starting.reset();
  try {
    ring.write(out);
  } catch (...) {
    ring.stop();
    throw;
  }
}

}  // namespace table
