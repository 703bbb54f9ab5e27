#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ir/interchange/flipper_ir_conversion.h"
#include "ir/interchange/flipper_ir_reader.h"
#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_text.h"

namespace {

using redeye::flipper_ir_kind_t;
using redeye::flipper_ir_signal;

// As the Flipper writes a file it learned: "#" separator lines, CR LF line ends allowed.
constexpr const char* kSample =
    "Filetype: IR signals file\r\n"
    "Version: 1\r\n"
    "# \r\n"
    "name: Power\r\n"
    "type: parsed\r\n"
    "protocol: NECext\r\n"
    "address: 00 7F 00 00\r\n"
    "command: 15 EA 00 00\r\n"
    "# \r\n"
    "name: Vol up\r\n"
    "type: raw\r\n"
    "frequency: 38000\r\n"
    "duty_cycle: 0.330000\r\n"
    "data: 9024 4512 579 552\r\n"
    "data: 579 40000\r\n";

std::string with_header(const std::string& body) { return "Filetype: IR signals file\nVersion: 1\n" + body; }

std::string parsed(const std::string& protocol, const std::string& address, const std::string& command) {
  return with_header("name: B\ntype: parsed\nprotocol: " + protocol + "\naddress: " + address +
                     "\ncommand: " + command + "\n");
}

// The converted parameters in text form, or "unsupported".
std::string converted(const std::string& text) {
  std::vector<flipper_ir_signal> buttons;
  if (redeye::read_flipper_ir(text, buttons) != zq::rc::ok || buttons.size() != 1) return "unreadable";
  redeye::protocols::protocol_parameters parameters;
  if (redeye::flipper_ir_parameters(buttons[0], parameters) != zq::rc::ok) return "unsupported";
  return redeye::protocols::format_parameters(parameters);
}

TEST(FlipperIrReader, ReadsParsedAndRawButtonsInFileOrder) {
  std::vector<flipper_ir_signal> buttons;
  ASSERT_EQ(redeye::read_flipper_ir(kSample, buttons), zq::rc::ok);
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].name, "Power");
  EXPECT_EQ(buttons[0].kind, flipper_ir_kind_t::parsed);
  EXPECT_EQ(buttons[0].protocol, "NECext");
  EXPECT_EQ(buttons[0].address, 0x7F00u);
  EXPECT_EQ(buttons[0].command, 0xEA15u);
  EXPECT_EQ(buttons[1].name, "Vol up");
  EXPECT_EQ(buttons[1].kind, flipper_ir_kind_t::raw);
  EXPECT_EQ(buttons[1].frequency, 38000u);
  EXPECT_DOUBLE_EQ(buttons[1].duty_cycle, 0.33);
  // The second data line continues the mark/space alternation.
  EXPECT_EQ(buttons[1].durations, (std::vector<std::int32_t>{9024, -4512, 579, -552, 579, -40000}));

  redeye::signal_data signal;
  ASSERT_EQ(redeye::flipper_ir_raw_signal(buttons[1], signal), zq::rc::ok);
  EXPECT_EQ(signal.carrier_period, 26);
  EXPECT_EQ(signal.repeat_index, 6);
}

TEST(FlipperIrReader, RefusesMalformedFilesWithTheLine) {
  struct bad_case {
    std::string text;
    std::size_t line;
  };
  const std::vector<bad_case> cases = {
      {"Filetype: Sub-GHz RAW File\nVersion: 1\n", 1},
      {"Filetype: IR signals file\nVersion: 2\n", 2},
      {"Filetype: IR signals file\n", 0},
      {with_header("type: parsed\n"), 3},                                   // a key outside a button
      {with_header("name: A\ntype: parsed\nprotocol: NEC\naddress: 04\n"), 0},  // no command
      {with_header("name: A\ntype: parsed\nprotocol: NEC\naddress: 4G\ncommand: 08\n"), 6},
      {with_header("name: A\ntype: parsed\ndata: 100\n"), 5},               // raw data in a parsed button
      {with_header("name: A\ntype: raw\nfrequency: 38000\ndata: 100 0 100\n"), 6},
      {with_header("name: A\ntype: raw\nfrequency: 38000\nfrequency: 36000\ndata: 1\n"), 6},
      {with_header("name: A\ntype: raw\nfrequency: 38000\nduty_cycle: 1.5\ndata: 1\n"), 6},
      {with_header("name: A\ntype: raw\ndata: 100\nname: B\n"), 6},          // A lacks its frequency
      {with_header("name:\ntype: raw\n"), 3},
      {with_header("just words\n"), 3},
  };
  for (const bad_case& bad : cases) {
    std::vector<flipper_ir_signal> buttons(2);
    std::size_t line = 99;
    EXPECT_EQ(redeye::read_flipper_ir(bad.text, buttons, &line), zq::rc::flipper_ir_malformed) << bad.text;
    EXPECT_EQ(line, bad.line) << bad.text;
    EXPECT_EQ(buttons.size(), 2u);
  }
}

TEST(FlipperIrReader, ConvertsFlipperProtocolsToRegistryParameters) {
  EXPECT_EQ(converted(parsed("NEC", "04 00 00 00", "08 00 00 00")), "NEC 0x04 0x08");
  EXPECT_EQ(converted(parsed("NECext", "00 7F 00 00", "15 EA 00 00")), "NECext 0x00 0x7F 0x15");
  EXPECT_EQ(converted(parsed("Samsung32", "07 00 00 00", "02 00 00 00")), "Samsung32 0x07 0x07 0x02");
  EXPECT_EQ(converted(parsed("RC5", "00 00 00 00", "0C 00 00 00")), "RC5 0x00 0x0C");
  EXPECT_EQ(converted(parsed("RC5X", "05 00 00 00", "0C 00 00 00")), "RC5 0x05 0x4C");
  EXPECT_EQ(converted(parsed("RC6", "00 00 00 00", "0C 00 00 00")), "RC6 0x00 0x0C");
  EXPECT_EQ(converted(parsed("SIRC", "01 00 00 00", "15 00 00 00")), "Sony12 0x01 0x15");
  EXPECT_EQ(converted(parsed("SIRC15", "97 00 00 00", "15 00 00 00")), "Sony15 0x97 0x15");
  EXPECT_EQ(converted(parsed("SIRC20", "5A 0E 00 00", "15 00 00 00")), "Sony20 0x1A 0x72 0x15");
  // Panasonic's TV power as the public Flipper collections write it.
  EXPECT_EQ(converted(parsed("Kaseikyo", "80 02 20 00", "D0 03 00 00")), "Panasonic 0x80 0x00 0x3D");
  // 16-bit forms of 8-bit fields, as some collections write them.
  EXPECT_EQ(converted(parsed("NEC", "04 FB 00 00", "08 F7 00 00")), "NEC 0x04 0x08");
  EXPECT_EQ(converted(parsed("Samsung32", "07 07 00 00", "02 02 00 00")), "Samsung32 0x07 0x07 0x02");
  EXPECT_EQ(converted(parsed("Samsung32", "E0 E0 00 00", "40 BF 00 00")), "Samsung32 0xE0 0xE0 0x40");
  EXPECT_EQ(converted(parsed("NECext", "00 7F 00 00", "15 16 00 00")), "unsupported");  // command byte not inverted
  EXPECT_EQ(converted(parsed("NEC", "04 01 00 00", "08 00 00 00")), "unsupported");
  EXPECT_EQ(converted(parsed("Pioneer", "AA 00 00 00", "1C 00 00 00")), "unsupported");
}

}  // namespace
