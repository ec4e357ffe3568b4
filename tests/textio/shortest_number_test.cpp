#include "textio/shortest_number.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(ShortestNumber, HeaderExamples) {
  EXPECT_EQ(textio::shortest_text(45.67611650968549), "45.67611650968549");
  EXPECT_EQ(textio::shortest_text(600), "600");
  EXPECT_EQ(textio::shortest_text(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(textio::shortest_text(1e-05), "1e-05");
  EXPECT_EQ(textio::shortest_text(-0.0), "-0");
}

TEST(ShortestNumber, ReadsBackToTheSameDouble) {
  for (const double v : {489.996, 571.2089999999999, 0.3477056641250473, 1.0351399999999984,
                         -556.84, 5e-324, 1.7976931348623157e308}) {
    EXPECT_EQ(std::strtod(textio::shortest_text(v).c_str(), nullptr), v) << v;
  }
}

}  // namespace
