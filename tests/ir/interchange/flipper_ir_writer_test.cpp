// The Flipper .ir writer: protocol signals as parsed buttons when the encoder gives them back
// exactly, everything else raw.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ir/interchange/flipper_ir_writer.h"
#include "ir/protocols/protocol_registry.h"

namespace {

using redeye::named_signal;
using redeye::signal_data;
using redeye::protocols::protocol_parameters;

std::vector<signal_data> encoded(const protocol_parameters& parameters, unsigned readings) {
  std::vector<signal_data> out(readings);
  for (unsigned toggle = 0; toggle < readings; ++toggle) {
    EXPECT_EQ(redeye::protocols::encode_protocol(parameters, toggle, out[toggle]), 0);
  }
  return out;
}

TEST(FlipperIrWriter, ParsedWhenTheEncoderGivesTheSignalBackElseRaw) {
  std::vector<signal_data> nudged = encoded({"NEC", 0, 0x04, 0, 0x08}, 1);
  nudged[0].durations[0] += 40;  // still decodes as NEC, but is no longer the encoder's signal
  const std::vector<named_signal> signals = {
      {"Power", encoded({"NEC", 0, 0x04, 0, 0x08}, 1)},
      {"Input", encoded({"NECext", 0, 0x04, 0x7F, 0x08}, 1)},
      {"Mute", encoded({"RC5", 0, 0x05, 0, 0x4C}, 2)},
      {"Half", encoded({"RC5", 0, 0x05, 0, 0x0C}, 1)},  // a toggling code with one reading
      {"Nudged", nudged},
      {"Learned", {signal_data{{900, -450, 560, -20000}, 26, 0}}},
  };
  const redeye::interchange_write written = redeye::write_flipper_ir(signals);
  ASSERT_EQ(written.code, 0);
  const std::string text = written.text;
  EXPECT_EQ(text.substr(0, text.find("name: Half")),
            "Filetype: IR signals file\nVersion: 1\n"
            "# \nname: Power\ntype: parsed\nprotocol: NEC\naddress: 04 00 00 00\ncommand: 08 00 00 00\n"
            "# \nname: Input\ntype: parsed\nprotocol: NECext\naddress: 04 7F 00 00\ncommand: 08 F7 00 00\n"
            "# \nname: Mute\ntype: parsed\nprotocol: RC5X\naddress: 05 00 00 00\ncommand: 0C 00 00 00\n# \n");
  EXPECT_NE(text.find("name: Half\ntype: raw\nfrequency: 35714\n"), std::string::npos);
  EXPECT_NE(text.find("name: Nudged\ntype: raw\nfrequency: 38462\nduty_cycle: 0.330000\ndata: 9040 4500 "),
            std::string::npos);
  EXPECT_NE(text.find("name: Learned\ntype: raw\nfrequency: 38462\nduty_cycle: 0.330000\ndata: 900 450 560 20000\n"),
            std::string::npos);

  for (const signal_data& unheld : {signal_data{{-500, 500}, 26, 2}, signal_data{{500, -500}, 0, 2}}) {
    const redeye::interchange_write refused = redeye::write_flipper_ir({{"Odd", {unheld}}});
    EXPECT_EQ(refused.code, zq::rc::interchange_cannot_hold);
    EXPECT_EQ(refused.failed_name, "Odd");
  }
}

TEST(FlipperIrWriter, ProtocolFieldsInTheFlippersLayout) {
  const std::vector<std::pair<protocol_parameters, std::string>> cases = {
      {{"Samsung32", 0, 0x07, 0x07, 0x02}, "Samsung32 7 2"},
      {{"Sony20", 0, 0x1A, 0x49, 0x15}, "SIRC20 93A 15"},
      {{"Panasonic", 0, 0x80, 0x0D, 0x3D}, "Kaseikyo 20028D 3D0"},
      {{"Kaseikyo", 0x5AA5, 0x3, 0x21, 0x05}, "Kaseikyo 5AA531 52"},
  };
  for (const auto& [parameters, want] : cases) {
    const auto button = redeye::flipper_button_of(parameters);
    ASSERT_TRUE(button) << want;
    char text[64];
    std::snprintf(text, sizeof text, "%s %X %X", button->protocol.c_str(), button->address, button->command);
    EXPECT_EQ(text, want);
  }
  EXPECT_FALSE(redeye::flipper_button_of({"Samsung32", 0, 0x07, 0x08, 0x02}));
  EXPECT_FALSE(redeye::flipper_button_of({"Panasonic", 0, 0x81, 0x0D, 0x3D}));
  EXPECT_FALSE(redeye::flipper_button_of({"Kaseikyo", 0x5AA5, 0x3, 0x21, 0x40}));
  EXPECT_FALSE(redeye::flipper_button_of({"JVC", 0, 0x03, 0, 0x17}));
}

}  // namespace
