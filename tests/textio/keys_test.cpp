#include "textio/keys.h"

#include <gtest/gtest.h>

namespace {

using textio::key_code;
using textio::key_queue;

TEST(KeyQueue, FifteenKeysWaitAndASixteenthPushesOutTheOldest) {
  key_queue q;
  for (unsigned char c = 'a'; c < 'a' + 16; ++c) q.push(key_code::character(c));
  EXPECT_EQ(q.size(), 15u);
  for (unsigned char c = 'b'; c < 'a' + 16; ++c) EXPECT_EQ(q.take(), key_code::character(c));
  EXPECT_TRUE(q.empty());
  EXPECT_EQ(q.take(), std::nullopt);
}

TEST(KeyQueue, WrapsAroundTheRing) {
  key_queue q;
  for (int round = 0; round < 40; ++round) {
    q.push(key_code::character(static_cast<unsigned char>(round)));
    q.push(key_code::special(static_cast<unsigned char>(round)));
    EXPECT_EQ(q.take(), key_code::character(static_cast<unsigned char>(round)));
    EXPECT_EQ(q.take(), key_code::special(static_cast<unsigned char>(round)));
  }
  EXPECT_TRUE(q.empty());
}

TEST(KeyQueue, EveryTakeClearsTheKeyPressedFlag) {
  key_queue q;
  EXPECT_FALSE(q.key_pressed());
  q.push(key_code::character('x'));
  q.push(key_code::character('y'));
  EXPECT_TRUE(q.key_pressed());
  (void)q.take();
  EXPECT_FALSE(q.key_pressed());  // 'y' still waits, the flag is clear
  q.push(key_code::character('z'));
  EXPECT_TRUE(q.key_pressed());
  q.clear();
  (void)q.take();  // asking an empty queue clears it too
  EXPECT_FALSE(q.key_pressed());
}

}  // namespace
