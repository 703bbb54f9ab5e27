// Learning on a simulated PXA255: what a remote emits is played into the receiver, the driver's
// receive captures it on the OS timer, and the learned signal is compared with what was sent.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_gpio.h"
#include "ir/capture_loop.h"
#include "ir/driver_registry.h"
#include "ir/drivers/ir_driver_pxa250.h"
#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/register_page.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"
#include "support/ir_driver_harness.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"

namespace {

using redeye::CIrDrvrPXA250;

// The remote starts sending one second into the capture.
constexpr std::uint64_t remote_starts_ns = 1000000000;

struct learned {
  zq::result_t code = 0;
  redeye::signal_data signal;
  std::uint64_t ended_ns = 0;  // virtual time when receive returned
};

learned learn(const std::vector<std::int32_t>& waveform, std::uint32_t carrier_hz) {
  zqtest::simulated_handheld handheld("Intel PXA255");
  handheld.device().receiver().play(waveform, carrier_hz, remote_starts_ns);
  redeye::CIrDrvr* driver = redeye::get_driver();
  EXPECT_NE(driver, nullptr);
  learned out;
  out.code = driver->receive();
  out.signal = driver->captured_signal();
  out.ended_ns = platform::clock::now_ns();
  return out;
}

// The learned durations against what the remote sent, within a period of the remote (the measured
// period is rounded down: one microsecond more).
void expect_close(const std::vector<std::int32_t>& learned, const std::vector<std::int32_t>& sent,
                  std::int32_t period, const std::string& what) {
  SCOPED_TRACE(what);
  zqtest::expect_learned(learned, sent, period + 1);
}

TEST(LearningCapture, HeldButtonsAreLearnedWithTheirRepeatedPart) {
  const auto rc5_unit = static_cast<std::uint16_t>(zqtest::rc5_frame(5, 12, false).size() + 1);
  struct held_case {
    const char* what;
    std::vector<std::int32_t> sent;
    std::uint32_t carrier_hz;
    std::uint16_t period, count, repeat;
    std::uint64_t ends_by_ms;  // after the remote starts
  };
  const held_case cases[] = {
      // NEC: the frame, then the repeat frame as the repeated part. Held for 20 repeat frames, the
      // capture still ends at the fourth gap over 20 ms, when the fifth frame starts.
      {"nec held", zqtest::nec_held(0x20DF10EF, 20), 38000, 26, 72, 68, 4 * 108 + 1},
      // RC5 repeats its whole frame; 36 kHz measures as 27 microseconds.
      {"rc5 held", zqtest::rc5_held(5, 12, 6), 36000, 27, rc5_unit, 0, 4 * 114 + 1},
      // A frame that is not repeated: everything up to the last mark, ended by 200 ms of silence.
      {"nec once", zqtest::nec_held(0x20DF10EF, 0, false), 38000, 26, 67, 67, 68 + 202},
  };
  for (const held_case& c : cases) {
    const learned l = learn(c.sent, c.carrier_hz);
    ASSERT_EQ(l.code, 0) << c.what;
    EXPECT_EQ(l.signal.carrier_period, c.period) << c.what;
    EXPECT_EQ(l.signal.count(), c.count) << c.what;
    EXPECT_EQ(l.signal.repeat_index, c.repeat) << c.what;
    expect_close(l.signal.durations, c.sent, c.period, c.what);
    EXPECT_LT(l.ended_ns, remote_starts_ns + c.ends_by_ms * 1000000) << c.what;
    if (c.repeat == c.count) {
      EXPECT_GT(l.signal.durations.back(), 0) << c.what;
    }
  }
}

TEST(LearningCapture, CarrierMeasurementAndFailures) {
  const std::vector<std::int32_t> burst{900000, -5000, 560};
  struct failure_case {
    const char* what;
    std::vector<std::int32_t> sent;
    std::uint32_t carrier_hz;
    zq::result_t code;
    std::uint16_t period;
  };
  const failure_case cases[] = {
      {"56 kHz", {600, -600, 600}, 56000, 0, 17},
      {"36 kHz", {600, -600, 600}, 36000, 0, 27},
      {"slow 8 kHz carrier", {9000, -4500, 560}, 8000, 5, 0},
      {"burst over 0.8 s", burst, 38000, 6, 26},
      {"nothing for 20 s", {}, 38000, 17, 0},
  };
  for (const failure_case& c : cases) {
    const auto real_start = std::chrono::steady_clock::now();
    const learned l = learn(c.sent, c.carrier_hz);
    EXPECT_EQ(l.code, c.code) << c.what;
    EXPECT_EQ(l.signal.carrier_period, c.period) << c.what;
    if (c.code != 0) {
      EXPECT_EQ(l.signal.count(), 0) << c.what;
    }
    if (c.code == 17) {
      // 20 s of virtual waiting, cheap in real time.
      EXPECT_GE(l.ended_ns, 20000000000ull);
      EXPECT_LT(l.ended_ns, 20001000000ull);
      EXPECT_LT(std::chrono::steady_clock::now() - real_start, std::chrono::seconds(5));
    }
  }
}

TEST(LearningCapture, RunsUnslicedAtPriorityOneAndPutsEverythingBack) {
  zqtest::simulated_handheld handheld("Intel PXA255");
  auto* pins = handheld.device().block<hwsim::pxa_gpio>(hwsim::pxa::gpio_page);
  const std::uint32_t direction = pins->stored(0x10);
  const std::uint32_t alternate = pins->stored(0x5C);
  handheld.device().receiver().play(zqtest::nec_held(0x20DF10EF, 0, false), 38000, remote_starts_ns);
  redeye::CIrDrvr* driver = redeye::get_driver();
  ASSERT_EQ(driver->receive(), 0);

  // Quantum 0 and priority 1 while capturing, both restored once the remote has been heard.
  using kind = platform::thread_change::kind_t;
  std::vector<std::pair<kind, std::int64_t>> changes;
  for (const auto& change : platform::thread_change_log()) changes.emplace_back(change.kind, change.value);
  EXPECT_EQ(changes, (std::vector<std::pair<kind, std::int64_t>>{{kind::quantum, 0},
                                                                 {kind::priority, 1},
                                                                 {kind::priority, platform::normal_thread_priority},
                                                                 {kind::quantum, platform::default_thread_quantum}}));
  EXPECT_GT(platform::thread_change_log().back().time_ns, remote_starts_ns);

  EXPECT_EQ(pins->stored(0x10), direction);
  EXPECT_EQ(pins->stored(0x5C), alternate);
  EXPECT_FALSE(driver->port_is_open());
  const auto& purges = platform::input_purge_log();
  ASSERT_EQ(purges.size(), 1u);
  EXPECT_EQ(purges[0].kind, platform::pending_input_t::stylus);
}

// A sampler on the simulated PXA255's registers, to look at what the loop records before the
// repeated part is searched.
struct gpio_sampler : redeye::capture_tick_rate {
  platform::register_page timer = platform::map_register_page(CIrDrvrPXA250::os_timer_page);
  platform::register_page gpio = platform::map_register_page(CIrDrvrPXA250::gpio_page);
  bool pin() const { return (gpio.read32(CIrDrvrPXA250::level_1) & CIrDrvrPXA250::receive_bits[3]) != 0; }
  std::uint32_t ticks() const { return timer.read32(CIrDrvrPXA250::counter); }
};

TEST(LearningCapture, LoopStoresAtMost299DurationsEndingWithAMark) {
  hwsim::device_description description = hwsim::device_description::from_text("Intel PXA255");
  description.timer_start = 0u - 4000000u;  // the counter wraps 1.085 s in, during the signal
  zqtest::simulated_handheld handheld(description);
  // Short gaps only, far more bursts than fit.
  std::vector<std::int32_t> sent;
  for (int i = 0; i < 200; ++i) sent.insert(sent.end(), {600 + 100 * (i % 3), -700});
  handheld.device().receiver().play(sent, 38000, remote_starts_ns);
  gpio_sampler sampler;
  redeye::capture_run run;
  redeye::run_capture(sampler, {platform::current_thread(), 1, 251, 100, 10000}, run);
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.stored, 299);
  EXPECT_GT(run.durations[298], 0);
  EXPECT_EQ(run.durations[299], 0);
  expect_close({run.durations.begin(), run.durations.begin() + 299}, sent, 26, "short gaps");
}

}  // namespace
