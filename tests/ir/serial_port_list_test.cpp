// The IR port setup's port list read from a real registry, and the entry it selects: autodetected
// or the stored port's.
#include "ir/serial_port_list.h"

#include <gtest/gtest.h>

#include "ir/port_choice.h"
#include "platform/registry.h"
#include "support/lirc_device_double.h"

namespace {

using redeye::autodetected_port;
using redeye::enumerate_serial_ports;
using redeye::initial_port_entry;
using entries_t = std::vector<std::wstring>;

constexpr std::string_view handheld_registry =
    "REGEDIT4\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\01]\r\n"
    "\"Name\"=\"COM1:\"\r\n"
    "\"Key\"=\"Drivers\\\\BuiltIn\\\\Serial\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\02]\r\n"
    "\"Name\"=\"PWR0:\"\r\n"
    "\"Key\"=\"Drivers\\\\BuiltIn\\\\Power\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\03]\r\n"
    "\"Name\"=\"COM3:\"\r\n"
    "\"Key\"=\"Drivers\\\\BuiltIn\\\\IrDA\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\04]\r\n"
    "\"Name\"=\"COM5:\"\r\n"
    "\"Key\"=\"Drivers\\\\BuiltIn\\\\Infrared\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\05]\r\n"
    "\"Name\"=\"COM8:\"\r\n"
    "\"Key\"=\"Drivers\\\\BuiltIn\\\\Bluetooth\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\06]\r\n"
    "\"Name\"=\"COM9:\"\r\n"
    "\"Key\"=\"Drivers\\\\Missing\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\07]\r\n"
    "\"Name\"=\"COM6:\"\r\n"
    "\"Key\"=\"\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Serial]\r\n"
    "\"FriendlyName\"=\"Serial Cable\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Power]\r\n"
    "\"FriendlyName\"=\"Infrared Power\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\IrDA]\r\n"
    "\"FriendlyName\"=\"IrDA Port\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Infrared]\r\n"
    "\"FriendlyName\"=\"Infrared Port\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Bluetooth]\r\n"
    "\"Dll\"=\"bluetooth.dll\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Bluetooth\\Transport]\r\n"
    "\"FriendlyName\"=\"Bluetooth Serial Port\"\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Bluetooth\\Stack]\r\n"
    "\"FriendlyName\"=\"Not the first subkey\"\r\n"
    // An empty driver path would open the root itself: its friendly name must not show.
    "[HKEY_LOCAL_MACHINE]\r\n"
    "\"FriendlyName\"=\"The root\"\r\n";

class SerialPortList : public ::testing::Test {
 protected:
  void load(std::string_view text) {
    platform::registry_text_error error;
    ASSERT_EQ(platform::load_registry_text(text, error), zq::rc::ok) << error.reason;
  }
  void TearDown() override {
    EXPECT_EQ(platform::open_registry_key_count(), 0u);
    platform::replace_registry({});
  }

  // No host LIRC device gets into the list unless a test adds one.
  zqtest::lirc_devices_double lirc_;
};

TEST_F(SerialPortList, ComPortsWithTheirDriversFriendlyNamesInRegistryOrder) {
  load(handheld_registry);
  EXPECT_EQ(enumerate_serial_ports(), (entries_t{L"COM1: Serial Cable", L"COM3: IrDA Port", L"COM5: Infrared Port",
                                                 L"COM8: Bluetooth Serial Port", L"COM9: ", L"COM6: "}));
  lirc_.add(0, platform::lirc::can_send_pulse);
  EXPECT_EQ(enumerate_serial_ports().back(), L"LIRC0: Infrared (/dev/lirc0)");
}

TEST_F(SerialPortList, NoActiveDriversNoPorts) {
  load("REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Drivers\\BuiltIn\\Serial]\r\n\"FriendlyName\"=\"Serial Cable\"\r\n");
  EXPECT_TRUE(enumerate_serial_ports().empty());
  platform::replace_registry({});
  EXPECT_TRUE(enumerate_serial_ports().empty());
}

TEST_F(SerialPortList, InfraredBeatsAnEarlierIrdaAndAStoredPortWinsOverBoth) {
  load(handheld_registry);
  const entries_t ports = enumerate_serial_ports();
  EXPECT_EQ(initial_port_entry(ports, L""), 2u);  // COM5: Infrared Port
  EXPECT_EQ(initial_port_entry(ports, L"COM3:"), 1u);
  EXPECT_EQ(initial_port_entry(ports, L"COM8:"), 3u);
  // The stored name is a whole device name: no prefix of one, no port that is gone.
  EXPECT_EQ(initial_port_entry(entries_t{L"COM10: IrDA", L"COM1: Cable"}, L"COM1:"), 1u);
  EXPECT_FALSE(initial_port_entry(ports, L"COM").has_value());
  EXPECT_FALSE(initial_port_entry(ports, L"COM7:").has_value());
}

TEST(PortAutodetection, UpperCasedEntriesOfSixCharactersOrMore) {
  EXPECT_EQ(autodetected_port({L"COM1: Cable", L"COM2: irda", L"COM3: Serial"}), 1u);
  EXPECT_EQ(autodetected_port({L"COM2: IrDA", L"COM3: IrDA 2", L"COM4: infrared"}), 2u);
  EXPECT_FALSE(autodetected_port({L"IRDA:", L"COM1: Serial Cable"}).has_value());
  EXPECT_FALSE(autodetected_port({}).has_value());
}

}  // namespace
