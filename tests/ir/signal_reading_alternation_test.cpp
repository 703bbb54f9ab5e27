#include <string>

#include <gtest/gtest.h>

#include "ir/reading_alternation.h"

namespace {

TEST(SignalReadingAlternation, TheSameReferenceTwiceInARowTakesTheSecondReading) {
  redeye::reading_alternation alternation;
  std::string chosen;
  // References are compared exactly: a macro reference and case differences are other signals.
  for (const char* reference : {"Power", "Power", "Power", "Power", "Power", "Mute", "Power", "Power", "power",
                                "$power", "$power", "Power"}) {
    chosen += std::to_string(alternation.choose(reference));
  }
  EXPECT_EQ(chosen, "010100010010");
  alternation.forget();
  EXPECT_EQ(alternation.choose("Power"), 0u);
  EXPECT_EQ(alternation.choose("Power"), 1u);
}

}  // namespace
