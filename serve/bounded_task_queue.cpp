#include "serve/bounded_task_queue.h"

namespace serve {

bounded_task_queue::bounded_task_queue(std::size_t threads, std::size_t capacity)
    : capacity_(capacity) {
  for (std::size_t i = 0; i < threads; ++i) workers_.emplace_back([this] { work(); });
}

bounded_task_queue::~bounded_task_queue() { shutdown(); }

void bounded_task_queue::enqueue(std::function<void()> fn) {
  std::unique_lock hold(lock_);
  wake_acceptor_.wait(hold, [this] { return stopping_ || jobs_.size() < capacity_; });
  // A connection accepted while the server stops is dropped with its job:
  // its socket closes when the process ends, moments later.
  if (stopping_) return;
  jobs_.push_back(std::move(fn));
  wake_worker_.notify_one();
}

void bounded_task_queue::shutdown() {
  {
    const std::lock_guard hold(lock_);
    if (stopping_ && workers_.empty()) return;
    stopping_ = true;
  }
  wake_worker_.notify_all();
  wake_acceptor_.notify_all();
  for (auto& worker : workers_) worker.join();
  workers_.clear();
}

void bounded_task_queue::work() {
  for (;;) {
    std::function<void()> job;
    {
      std::unique_lock hold(lock_);
      wake_worker_.wait(hold, [this] { return stopping_ || !jobs_.empty(); });
      // The connections already queued are still served before the end.
      if (jobs_.empty()) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    wake_acceptor_.notify_one();
    job();
  }
}

}  // namespace serve
