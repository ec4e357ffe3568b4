// Keys that a host pushes from a thread of its own (a window's event thread)
// into the queue the services share: the dialogue's thread reads them in the
// order typed, and the wait for a key press sees only keys pressed after the
// last take.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <thread>

#include "textio/host.h"
#include "textio/services.h"

namespace {

using namespace std::chrono_literals;
using textio::key_code;
using textio::key_queue;

// Sleeps briefly at each wait, as a window host sleeps until its event
// thread wakes it; counts the waits so that a test can type after one.
class sleeping_host final : public textio::host {
 public:
  std::optional<int> wait_for_keys(key_queue&, std::chrono::milliseconds) override {
    ++waits;
    std::this_thread::sleep_for(1ms);
    return std::nullopt;
  }
  void paint(const textio::screen&) override {}
  std::atomic<int> waits = 0;
};

void type_from_another_thread(key_queue& keys, std::string_view typed) {
  std::thread typist([&keys, typed] {
    for (const char c : typed) {
      keys.push(key_code::character(static_cast<unsigned char>(c)));
      std::this_thread::sleep_for(200us);
    }
  });
  typist.join();
}

TEST(SharedKeyQueue, KeysFromAnotherThreadAreReadInOrder) {
  key_queue keys;
  sleeping_host host;
  textio::services io(host, keys);
  io.open_text_screen();
  std::thread typist([&keys] {
    for (const char c : std::string_view("600\r q")) {
      keys.push(key_code::character(static_cast<unsigned char>(c)));
      std::this_thread::sleep_for(300us);
    }
  });
  EXPECT_EQ(io.input_number("", true, true), 600.0);
  EXPECT_EQ(io.read_key(), " ");
  EXPECT_EQ(io.read_key(), "q");
  typist.join();
}

TEST(SharedKeyQueue, OnlyAKeyPressedAfterTheLastTakeEndsTheWait) {
  key_queue keys;
  sleeping_host host;
  textio::services io(host, keys);
  io.open_text_screen();
  type_from_another_thread(keys, "qx");  // both before the take
  EXPECT_EQ(io.read_key(), "q");
  std::atomic<bool> returned = false;
  std::thread waiter([&] {
    io.wait_for_key_press();
    returned = true;
  });
  while (host.waits < 20) std::this_thread::sleep_for(1ms);
  EXPECT_FALSE(returned) << "the x typed before the take ended the wait";
  type_from_another_thread(keys, " ");
  waiter.join();
  EXPECT_TRUE(returned);
  EXPECT_EQ(io.read_key(), "x");  // the wait took nothing from the queue
}

}  // namespace
