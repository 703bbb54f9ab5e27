// Testing a port from the IR port setup on a simulated handheld: the fixed test signal goes out
// three times through the chosen port, and the port in force afterwards is the stored one.
#include "ir/port_test.h"

#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "platform/serial_port.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

// The lengths of the demodulated marks ("pulse N" lines).
std::vector<int> pulses_of(const std::string& text) {
  std::vector<int> pulses;
  for (std::size_t at = text.find("pulse "); at != std::string::npos; at = text.find("pulse ", at + 1))
    pulses.push_back(std::stoi(text.substr(at + 6)));
  return pulses;
}

TEST(PortTest, SendsTheTestSignalThreeTimesThroughTheTestedPortThenRestoresTheStoredOne) {
  // The IrDA UART is switched on only through its port, COM3:.
  zqtest::simulated_handheld handheld(zqtest::described("Intel PXA255", 3, false));
  redeye::get_driver()->set_port_name(L"COM9:");
  EXPECT_EQ(redeye::test_port(L"COM3:", L"COM9:"), zq::rc::ok);
  const std::string sent = handheld.device().led().demodulated_text();
  // Every pass plays the whole signal (repeat index 0); each mark within a carrier period (27 us).
  const std::vector<int> marks{833, 1764, 885, 861, 1750, 1777, 861, 861, 1769, 889};
  const std::vector<int> pulses = pulses_of(sent);
  ASSERT_EQ(pulses.size(), 3 * marks.size()) << sent;
  for (std::size_t i = 0; i < pulses.size(); ++i) EXPECT_NEAR(pulses[i], marks[i % marks.size()], 27) << i;
  EXPECT_EQ(redeye::get_driver()->port_name(), L"COM9:");
  EXPECT_FALSE(platform::serial_port_is_open(L"COM3:"));
  EXPECT_EQ(redeye::port_test_message(0), L"Selected COM port looks good!");
}

TEST(PortTest, FailuresGiveTheDriversCodeAndLeaveTheStoredPort) {
  const struct {
    int uart;
    const wchar_t* port;
    zq::result_t code;
  } cases[] = {
      {3, L"COM5:", 13},   // no such port
      {0, L"COM3:", 303},  // the port opens but no UART goes into infrared mode
      {3, L"", 304},
  };
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(zqtest::described("Intel PXA255", c.uart, false));
    redeye::get_driver()->set_port_name(L"COM3:");
    EXPECT_EQ(redeye::test_port(c.port, L"COM3:"), c.code);
    EXPECT_TRUE(handheld.device().led().edges().empty());
    EXPECT_EQ(redeye::get_driver()->port_name(), L"COM3:");
    EXPECT_FALSE(platform::serial_port_is_open(L"COM3:"));
  }
  EXPECT_EQ(redeye::port_test_message(13), L"Selected COM port won't work (error 13). Try another port!");
}

TEST(PortTest, WithoutADriverNothingHappens) {
  zqtest::simulated_handheld handheld("x86_64 AMD Ryzen");
  EXPECT_FALSE(redeye::test_port(L"COM3:", L"").has_value());
  EXPECT_EQ(redeye::get_driver(), nullptr);
}

}  // namespace
