#include "support/ir_driver_harness.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "platform/serial_port.h"
#include "support/remote_waveforms.h"

namespace zqtest {

hwsim::device_description described(std::string_view processor_text, int ir_uart, bool ir_mode_at_start,
                                    std::uint32_t clock_hz) {
  hwsim::device_description d = hwsim::device_description::from_text(processor_text, clock_hz);
  d.ir_uart = ir_uart;
  d.ir_mode_at_start = ir_mode_at_start;
  return d;
}

std::vector<std::int32_t> nec_signal(std::uint32_t code, std::uint16_t& repeat) {
  std::vector<std::int32_t> d = nec_held(code, 0, false);
  d.push_back(-40000);
  repeat = static_cast<std::uint16_t>(d.size());
  d.insert(d.end(), {9000, -2250, 560, -96000});
  return d;
}

std::vector<tick_edge> recorded_ticks(hwsim::device& device, std::uint64_t hz) {
  std::vector<tick_edge> ticks;
  for (const hwsim::led_edge& e : device.led().edges())
    ticks.push_back({hwsim::tick_clock::tick_at(e.time_ns, hz), e.on});
  return ticks;
}

redeye::CIrDrvr& load_driver(const std::vector<std::int32_t>& durations, std::uint16_t repeat,
                             std::uint16_t period, std::wstring port) {
  redeye::CIrDrvr* driver = redeye::get_driver();
  EXPECT_NE(driver, nullptr);
  driver->set_port_name(std::move(port));
  EXPECT_EQ(driver->load(durations.data(), static_cast<std::uint16_t>(durations.size()), repeat, period), 0);
  return *driver;
}

bool serial_port_opened() {
  const auto& log = platform::serial_event_log();
  return std::any_of(log.begin(), log.end(),
                     [](const platform::serial_event& e) { return e.kind == platform::serial_event::kind_t::open; });
}

void expect_learned(const std::vector<std::int32_t>& learned, const std::vector<std::int32_t>& sent,
                    std::int32_t period) {
  ASSERT_LE(learned.size(), sent.size());
  for (std::size_t i = 0; i < learned.size(); ++i) {
    const std::int32_t lost = sent[i] - learned[i];  // marks shrink, spaces grow: both positive
    EXPECT_TRUE(lost >= 0 && lost <= (i == 0 ? 2 : 1) * period)
        << "duration " << i << ": sent " << sent[i] << ", learned " << learned[i];
  }
}

redeye::CIrDrvr& learn_held_nec(hwsim::device& device, std::wstring port) {
  const std::vector<std::int32_t> sent = nec_held(0x20DF10EF, 6);
  device.receiver().play(sent, 38000, 1000000000);
  redeye::CIrDrvr* driver = redeye::get_driver();
  EXPECT_NE(driver, nullptr);
  driver->set_port_name(std::move(port));
  EXPECT_EQ(driver->receive(), 0);
  const redeye::signal_data learned = driver->captured_signal();
  EXPECT_EQ(learned.carrier_period, 26);
  EXPECT_EQ(learned.count(), nec_frame_length() + 4);
  EXPECT_EQ(learned.repeat_index, nec_frame_length());
  expect_learned(learned.durations, sent, 27);
  return *driver;
}

}  // namespace zqtest
