// The server's workers: a fixed number of threads and a queue of accepted
// connections of fixed length. When the queue is full the accepting thread
// waits, so further connections wait in the kernel's listen backlog instead
// of growing the server's memory (cpp-httplib's own pool queues without
// limit).
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <httplib.h>

namespace serve {

class bounded_task_queue : public httplib::TaskQueue {
 public:
  bounded_task_queue(std::size_t threads, std::size_t capacity);
  ~bounded_task_queue() override;

  void enqueue(std::function<void()> fn) override;
  void shutdown() override;

 private:
  void work();

  std::size_t capacity_;
  std::mutex lock_;
  std::condition_variable wake_worker_;
  std::condition_variable wake_acceptor_;
  std::deque<std::function<void()>> jobs_;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace serve
