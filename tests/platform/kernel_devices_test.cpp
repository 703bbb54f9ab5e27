// Processor information, register pages and serial ports of the platform layer, with and without
// a simulated handheld.
#include <gtest/gtest.h>

#include <cerrno>

#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_os_timer.h"
#include "hwsim/pxa_uart.h"
#include "platform/processor_info.h"
#include "platform/register_page.h"
#include "platform/serial_port.h"
#include "support/simulated_handheld.h"

namespace {

TEST(KernelDevices, ProcessorInformationComesFromTheSimulatedDevice) {
  zqtest::simulated_handheld handheld("ARM920T S3C2440", 399651840);
  platform::processor_info info;
  ASSERT_TRUE(platform::query_processor_info(info));
  EXPECT_EQ(info.core_name, "ARM920T");
  EXPECT_EQ(info.processor_name, "S3C2440");
  EXPECT_EQ(info.clock_hz, 399651840u);
  EXPECT_EQ(platform::processor_text(info), "ARM920T S3C2440");
}

TEST(KernelDevices, ProcessorInformationOfTheHost) {
  platform::processor_info info;
  ASSERT_TRUE(platform::query_processor_info(info));
  EXPECT_FALSE(info.core_name.empty());
}

TEST(KernelDevices, RegisterPagesMapOnlySimulatedBlocks) {
  zqtest::simulated_handheld handheld("Intel PXA255");
  EXPECT_FALSE(platform::map_register_page(hwsim::pxa::os_timer_page + 4).is_mapped());  // unaligned
  EXPECT_FALSE(platform::map_register_page(0x48000000).is_mapped());                    // no block there

  platform::register_page uart = platform::map_register_page(hwsim::pxa::ff_uart_page);
  ASSERT_TRUE(uart.is_mapped());
  EXPECT_EQ(uart.physical_address(), hwsim::pxa::ff_uart_page);
  uart.write32(0x0C, 0x11223344);
  EXPECT_EQ(uart.read8(0x0C), 0x44);
  EXPECT_EQ(uart.read8(0x0F), 0x11);
  uart.write8(0x0D, 0xAB);
  EXPECT_EQ(uart.read32(0x0C), 0x1122AB44u);
  EXPECT_EQ(handheld.device().block<hwsim::pxa_uart>(hwsim::pxa::ff_uart_page)->stored(0x0C), 0x1122AB44u);

  platform::register_page moved = std::move(uart);
  EXPECT_FALSE(uart.is_mapped());
  EXPECT_EQ(moved.read32(0x0C), 0x1122AB44u);
  moved.unmap();
  EXPECT_FALSE(moved.is_mapped());
}

class KernelSerial : public ::testing::Test {
 protected:
  KernelSerial() : handheld_(description()) {}
  static hwsim::device_description description() {
    hwsim::device_description d = hwsim::device_description::from_text("Intel PXA255");
    d.ir_mode_at_start = false;
    d.other_ports = {L"COM1:"};
    return d;
  }
  hwsim::pxa_uart& st_uart() { return *handheld_.device().block<hwsim::pxa_uart>(hwsim::pxa::st_uart_page); }

  zqtest::simulated_handheld handheld_;
};

TEST_F(KernelSerial, OnlyTheDevicesPortsOpenAndOnlyOnce) {
  platform::port_handle port = platform::invalid_port_handle;
  EXPECT_EQ(platform::open_serial_port(L"COM9:", port), ENOENT);
  EXPECT_EQ(platform::open_serial_port(L"", port), ENOENT);
  EXPECT_EQ(port, platform::invalid_port_handle);
  ASSERT_EQ(platform::open_serial_port(L"com3:", port), 0);
  EXPECT_NE(port, platform::invalid_port_handle);
  EXPECT_NE(port, 0);
  platform::port_handle second = platform::invalid_port_handle;
  EXPECT_EQ(platform::open_serial_port(L"COM3:", second), EBUSY);
  EXPECT_TRUE(platform::serial_port_is_open(L"COM3:"));
  EXPECT_TRUE(platform::close_serial_port(port));
  EXPECT_FALSE(platform::close_serial_port(port));
  EXPECT_FALSE(platform::serial_port_is_open(L"COM3:"));

  const auto& log = platform::serial_event_log();
  ASSERT_EQ(log.size(), 5u);
  EXPECT_EQ(log[0].kind, platform::serial_event::kind_t::open_failed);
  EXPECT_EQ(log[0].port, L"COM9:");
  EXPECT_EQ(log[2].kind, platform::serial_event::kind_t::open);
  EXPECT_EQ(log[3].kind, platform::serial_event::kind_t::open_failed);
  EXPECT_EQ(log[4].kind, platform::serial_event::kind_t::close);
}

TEST_F(KernelSerial, SettingsAndTimeoutsAreKeptPerPort) {
  platform::port_handle port = platform::invalid_port_handle;
  ASSERT_EQ(platform::open_serial_port(L"COM1:", port), 0);
  platform::serial_settings settings;
  ASSERT_TRUE(platform::get_serial_settings(port, settings));
  EXPECT_EQ(settings, platform::serial_settings{});
  settings.baud_rate = 115200;
  settings.stop_bits = platform::two_stop_bits;
  ASSERT_TRUE(platform::set_serial_settings(port, settings));
  platform::serial_settings read_back;
  ASSERT_TRUE(platform::get_serial_settings(port, read_back));
  EXPECT_EQ(read_back, settings);
  EXPECT_TRUE(platform::set_serial_timeouts(port, {1, 2, 3, 4, 5}));
  EXPECT_EQ(platform::serial_event_log().back().timeouts, (platform::serial_timeouts{1, 2, 3, 4, 5}));
  EXPECT_FALSE(platform::get_serial_settings(port + 1, read_back));
  EXPECT_TRUE(platform::close_serial_port(port));
}

TEST_F(KernelSerial, IrModeOfTheIrPortSwitchesTheDevicesUart) {
  EXPECT_FALSE(st_uart().in_ir_mode());
  platform::port_handle other = platform::invalid_port_handle;
  ASSERT_EQ(platform::open_serial_port(L"COM1:", other), 0);
  ASSERT_TRUE(platform::escape_serial_function(other, platform::serial_escape_t::set_ir));
  EXPECT_FALSE(st_uart().in_ir_mode());

  platform::port_handle port = platform::invalid_port_handle;
  ASSERT_EQ(platform::open_serial_port(L"COM3:", port), 0);
  EXPECT_FALSE(st_uart().in_ir_mode());
  ASSERT_TRUE(platform::escape_serial_function(port, platform::serial_escape_t::set_ir));
  EXPECT_TRUE(st_uart().in_ir_mode());
  ASSERT_TRUE(platform::escape_serial_function(port, platform::serial_escape_t::clear_ir));
  EXPECT_FALSE(st_uart().in_ir_mode());
  EXPECT_FALSE(platform::escape_serial_function(port, static_cast<platform::serial_escape_t>(5)));
  EXPECT_TRUE(platform::close_serial_port(port));
  EXPECT_FALSE(platform::escape_serial_function(port, platform::serial_escape_t::set_ir));
}

TEST(KernelSerialHost, NoSimulatedDeviceMeansNoPorts) {
  zqtest::reset_platform_state();
  platform::port_handle port = platform::invalid_port_handle;
  EXPECT_EQ(platform::open_serial_port(L"COM3:", port), ENOENT);
  zqtest::reset_platform_state();
}

}  // namespace
