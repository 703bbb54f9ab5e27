// Encoder output against the published timing of well-known buttons, and decoding of captures in
// the timing other receivers record them with.
#include <gtest/gtest.h>

#include <string>

#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_text.h"
#include "ir/protocols/protocol_list.h"

namespace {

using redeye::protocols::protocol_parameters;

// "+MARK -SPACE ..." followed by "@carrier/repeat index".
std::string as_text(const redeye::signal_data& signal) {
  std::string text;
  for (const std::int32_t duration : signal.durations) text += (duration < 0 ? "" : "+") + std::to_string(duration) + " ";
  return text + "@" + std::to_string(signal.carrier_period) + "/" + std::to_string(signal.repeat_index);
}

std::string encoded(const protocol_parameters& parameters, unsigned toggle = 0) {
  redeye::signal_data signal;
  EXPECT_EQ(redeye::protocols::encode_protocol(parameters, toggle, signal), 0);
  return as_text(signal);
}

TEST(ProtocolTiming, NecLgTvPowerFrameThenRepeatFrame) {
  // Address 0x04 (inverse 0xFB), command 0x08 (inverse 0xF7), bytes sent least significant bit
  // first; the frame fills 108 ms, the repeat frame (9 ms, 2.25 ms, stop) too.
  EXPECT_EQ(encoded({"NEC", 0, 0x04, 0, 0x08}),
            "+9000 -4500 "
            "+562 -562 +562 -562 +562 -1687 +562 -562 +562 -562 +562 -562 +562 -562 +562 -562 "
            "+562 -1687 +562 -1687 +562 -562 +562 -1687 +562 -1687 +562 -1687 +562 -1687 +562 -1687 "
            "+562 -562 +562 -562 +562 -562 +562 -1687 +562 -562 +562 -562 +562 -562 +562 -562 "
            "+562 -1687 +562 -1687 +562 -1687 +562 -562 +562 -1687 +562 -1687 +562 -1687 +562 -1687 "
            "+562 -39970 "
            "+9000 -2250 +562 -96188 @26/68");
}

TEST(ProtocolTiming, Rc5SystemZeroStandbyInBothToggles) {
  // Start bits 1 1, toggle, address 00000, command 001100; a one is space-mark, and the silent
  // first half of the first start bit is not sent. 113.8 ms from frame to frame.
  EXPECT_EQ(encoded({"RC5", 0, 0, 0, 12}, 0),
            "+889 -889 +1778 -889 +889 -889 +889 -889 +889 -889 +889 -889 +889 -889 +889 -889 +889 "
            "-1778 +889 -889 +1778 -889 +889 -89789 @28/0");
  EXPECT_EQ(encoded({"RC5", 0, 0, 0, 12}, 1),
            "+889 -889 +889 -889 +1778 -889 +889 -889 +889 -889 +889 -889 +889 -889 +889 -889 +889 "
            "-1778 +889 -889 +1778 -889 +889 -89789 @28/0");
}

TEST(ProtocolTiming, Rc6ModeZeroAddressZeroCommandTwelve) {
  // Leader 6t/2t, start 1, mode 000, double-length toggle 0, then 16 bits; a one is mark-space.
  EXPECT_EQ(encoded({"RC6", 0, 0, 0, 12}),
            "+2664 -888 +444 -888 +444 -444 +444 -444 +444 -888 +888 "
            "-444 +444 -444 +444 -444 +444 -444 +444 -444 +444 -444 +444 -444 +444 -444 +444 "
            "-444 +444 -444 +444 -444 +444 -444 +888 -444 +444 -888 +444 -444 +444 -83912 @28/0");
}

TEST(ProtocolTiming, SonyTwelveBitTvPower) {
  // Function 21 then device 1, least significant bit first; one 1.2 ms, zero 0.6 ms; 45 ms frames,
  // three for a tap, the last one repeated while held.
  const std::string frame =
      "+2400 -600 +1200 -600 +600 -600 +1200 -600 +600 -600 +1200 -600 +600 -600 +600 -600 "
      "+1200 -600 +600 -600 +600 -600 +600 -600 +600 -25800 ";
  EXPECT_EQ(encoded({"Sony12", 0, 1, 0, 21}), frame + frame + frame + "@25/52");
}

// Builds a capture the way a receiver that reports most significant bit first records it:
// header, then `count` bits of `code`, a trailing burst and the gap.
std::vector<std::int32_t> capture(std::int32_t header_mark, std::int32_t header_space, std::int32_t bit_mark,
                                  std::int32_t zero_space, std::int32_t one_space, std::uint64_t code,
                                  unsigned count, std::int32_t gap) {
  std::vector<std::int32_t> durations{header_mark, -header_space};
  for (unsigned i = count; i-- > 0;) {
    durations.push_back(bit_mark);
    durations.push_back((code >> i) & 1U ? -one_space : -zero_space);
  }
  durations.push_back(bit_mark);
  durations.push_back(-gap);
  return durations;
}

TEST(ProtocolTiming, DecodesCapturesInOtherReceiversTiming) {
  struct known_capture {
    std::vector<std::int32_t> durations;
    const char* text;
  };
  const known_capture captures[] = {
      // An LG TV's power button as lircd.conf lists it (bits reversed per byte: 0x20DF10EF).
      {capture(9061, 4473, 597, 532, 1650, 0x20DF10EF, 32, 40000), "NEC 0x04 0x08"},
      // A Panasonic TV's power button, pre_data 0x4004 and code 0x0100BCBD with lircd's timing.
      {capture(3502, 1750, 502, 400, 1244, 0x40040100BCBD, 48, 74500), "Panasonic 0x80 0x00 0x3D"},
      // A Samsung TV's power button, 0xE0E040BF.
      {capture(4500, 4500, 590, 540, 1660, 0xE0E040BF, 32, 47000), "Samsung32 0x07 0x07 0x02"},
  };
  for (const known_capture& known : captures) {
    const auto decoded = redeye::protocols::decode_protocol(known.durations);
    ASSERT_TRUE(decoded.has_value()) << known.text;
    EXPECT_EQ(redeye::protocols::format_parameters(*decoded), known.text);
  }
}

}  // namespace
