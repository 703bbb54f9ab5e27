#include "ir/protocols/protocol_text.h"

#include <gtest/gtest.h>

namespace {

using redeye::protocols::protocol_parameters;

TEST(ProtocolText, CanonicalFormRoundTrips) {
  const protocol_parameters cases[] = {
      {"NEC", 0, 0x04, 0, 0x08},        {"NECext", 0, 0x04, 0x12, 0xFF}, {"Sony20", 0, 0x1F, 0xAB, 0x7F},
      {"Kaseikyo", 0x3254, 0x1, 0x02, 0x03}, {"RC5", 0, 0, 0, 0x4C},
  };
  const char* const texts[] = {"NEC 0x04 0x08", "NECext 0x04 0x12 0xFF", "Sony20 0x1F 0xAB 0x7F",
                               "Kaseikyo 0x3254 0x01 0x02 0x03", "RC5 0x00 0x4C"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(redeye::protocols::format_parameters(cases[i]), texts[i]);
    protocol_parameters parsed;
    ASSERT_EQ(redeye::protocols::parse_parameters(texts[i], parsed), 0) << texts[i];
    EXPECT_EQ(parsed, cases[i]) << texts[i];
  }
}

TEST(ProtocolText, ReadsDecimalAndLooseSpacing) {
  protocol_parameters parsed;
  ASSERT_EQ(redeye::protocols::parse_parameters("  Sharp\t1  0X1f ", parsed), 0);
  EXPECT_EQ(parsed, (protocol_parameters{"Sharp", 0, 1, 0, 0x1F}));
}

TEST(ProtocolText, RefusesAndLeavesTheOutputAlone) {
  const struct {
    const char* text;
    zq::result_t code;
  } cases[] = {
      {"", 1081},
      {"nec 0x04 0x08", 1081},           // names are exact
      {"NEC 0x04", 1083},
      {"NEC 0x04 0x08 0x01", 1083},
      {"NEC 0x4G 0x08", 1083},
      {"NEC 0x 0x08", 1083},
      {"NEC -1 0x08", 1083},
      {"NEC 4294967296 0x08", 1083},     // past 32 bits, not wrapped to 0
      {"NEC 0x100 0x08", 1082},
      {"RC5 0x20 0x00", 1082},
      {"Kaseikyo 0x2002 0x01 0x02 0x03", 1082},  // Panasonic's vendor code
  };
  for (const auto& c : cases) {
    protocol_parameters parsed{"JVC", 0, 1, 0, 2};
    EXPECT_EQ(redeye::protocols::parse_parameters(c.text, parsed), c.code) << c.text;
    EXPECT_EQ(parsed, (protocol_parameters{"JVC", 0, 1, 0, 2})) << c.text;
  }
}

}  // namespace
