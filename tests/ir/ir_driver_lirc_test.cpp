#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "ir/driver_registry.h"
#include "ir/drivers/ir_driver_lirc.h"
#include "ir/drivers/lirc_capture.h"
#include "ir/processor_family.h"
#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/lirc_port_name.h"
#include "support/lirc_device_double.h"
#include "support/simulated_handheld.h"

namespace {

namespace lirc = platform::lirc;
using platform::lirc_request_t;
using zqtest::frequency;
using zqtest::pulse;
using zqtest::space;
using zqtest::timeout_report;

constexpr std::uint32_t sends = lirc::can_send_pulse;
constexpr std::uint32_t everything = lirc::can_send_pulse | lirc::can_set_send_carrier |
                                     lirc::can_set_send_duty_cycle | lirc::can_rec_mode2 |
                                     lirc::can_measure_carrier;

std::uint64_t now_us() { return platform::clock::now_ns() / 1000; }

// /dev/lirc0 with these features, and a driver on its port.
struct lirc0 {
  explicit lirc0(std::uint32_t features) : device(devices.add(0, features)) { driver.set_port_name(L"LIRC0:"); }
  zqtest::lirc_devices_double devices;
  zqtest::lirc_device_double& device;
  redeye::CIrDrvrLirc driver;
};

std::string text(const std::vector<std::int32_t>& durations) {
  std::string out;
  for (const std::int32_t d : durations) out += (out.empty() ? "" : " ") + std::to_string(d);
  return out;
}

// A short frame and the repeat frame a remote sends while its button is held.
const std::vector<std::int32_t> framed = {9000, -4500, 560, -1690, 560, -40000, 9000, -2250, 560, -96000};
constexpr std::uint16_t framed_repeat = 6;

TEST(IrDriverLirc, PassesAndHoldModeGiveTheseWrites) {
  const std::string f = "9000 4500 560 1690 560 40000 9000 2250 560", r = "9000 2250 560";
  constexpr int stylus = platform::vk_stylus;
  const struct {
    const char* name;
    std::uint16_t pass_count;
    int hold_key;
    std::uint64_t release_us;  // when the hold key goes up (held from the start)
    std::string writes;        // "start: values" per write
    std::uint64_t end_us;
  } cases[] = {
      // Fixed mode: every pass in as few writes as the limits allow; the closing space on the clock.
      {"once", 0xFFFF, 0, 0, "0: " + f + "\n", 164120},
      {"default three", 0, 0, 0, "0: " + f + " 96000 " + r + " 96000 " + r + "\n", 379740},
      {"two passes, key ignored", 2, stylus, 1000000, "0: " + f + " 96000 " + r + "\n", 271930},
      // Hold mode: each pass written whole, then the key tested.
      {"held past the third pass", 0, stylus, 400000,
       "0: " + f + "\n164120: " + r + "\n271930: " + r + "\n379740: " + r + "\n", 487550},
      {"released early: the minimum", 0, stylus, 100000, "0: " + f + "\n164120: " + r + "\n271930: " + r + "\n", 379740},
      {"once, held into the second", 0xFFFF, stylus, 200000, "0: " + f + "\n164120: " + r + "\n", 271930},
  };
  for (const auto& c : cases) {
    lirc0 l(sends);
    if (c.hold_key != 0) {
      platform::set_key_state(c.hold_key, true);
      platform::schedule_key_state(c.hold_key, false, c.release_us * 1000);
    }
    ASSERT_EQ(l.driver.load(framed.data(), 10, framed_repeat, 26), 0) << c.name;
    EXPECT_EQ(l.driver.transmit(c.pass_count, c.hold_key), 0) << c.name;
    EXPECT_EQ(l.device.writes_text(), c.writes) << c.name;
    EXPECT_EQ(now_us(), c.end_us) << c.name;
    EXPECT_EQ(platform::input_purge_log().size(), 2u) << c.name;
  }
}

TEST(IrDriverLirc, WritesStayWithinTheKernelLimits) {
  const struct {
    const char* name;
    std::vector<std::int32_t> durations;
    const char* writes;
    std::uint64_t end_us;
  } cases[] = {
      {"500 ms per write: split at the space", {300000, -1000, 300000, -50000}, "0: 300000\n301000: 300000\n", 651000},
      {"marks clamped to 1 us .. 500 ms", {600000, -1000, 0, -1000}, "0: 500000\n501000: 1\n", 502001},
      {"neighbouring marks sent as one", {500, 600, -1000, 700, -20000}, "0: 1100 1000 700\n", 22800},
      {"leading space waited", {-3000, 500, -20000}, "3000: 500\n", 23500},
  };
  for (const auto& c : cases) {
    lirc0 l(sends);
    const auto count = static_cast<std::uint16_t>(c.durations.size());
    ASSERT_EQ(l.driver.load(c.durations.data(), count, count, 26), 0) << c.name;
    EXPECT_EQ(l.driver.transmit(0xFFFF, 0), 0) << c.name;
    EXPECT_EQ(l.device.writes_text(), c.writes) << c.name;
    EXPECT_EQ(now_us(), c.end_us) << c.name;
    EXPECT_EQ(l.device.refused_writes, 0) << c.name;
  }
}

TEST(IrDriverLirc, SplitsAt512Values) {
  lirc0 l(sends);
  std::vector<std::int32_t> signal;
  for (int i = 0; i < 150; ++i) signal.insert(signal.end(), {100, -100});
  ASSERT_EQ(l.driver.load(signal.data(), 300, 0, 26), 0);
  ASSERT_EQ(l.driver.transmit(0, 0), 0);  // 450 marks
  const auto& writes = l.device.writes;
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].values.size(), 511u);  // 256 marks
  EXPECT_EQ(writes[1].values.size(), 387u);  // 194 marks, after a 100 us space on the clock
  EXPECT_EQ(writes[1].time_ns, 51200000u);
  EXPECT_EQ(now_us(), 90000u);
}

TEST(IrDriverLirc, CarrierAndDutyCycleOnlyWhenTheDeviceCan) {
  using call = zqtest::lirc_control_call;
  const call mode{lirc_request_t::set_send_mode, lirc::mode_pulse};
  const struct {
    std::uint32_t features;
    std::uint16_t period;
    std::vector<call> calls;
  } cases[] = {
      {sends, 26, {mode}},
      {sends | lirc::can_set_send_carrier, 26, {mode, {lirc_request_t::set_send_carrier, 38462}}},
      {sends | lirc::can_set_send_carrier, 36, {mode, {lirc_request_t::set_send_carrier, 27778}}},
      {sends | lirc::can_set_send_carrier, 60, {mode, {lirc_request_t::set_send_carrier, 38462}}},  // played as 26
      {sends | lirc::can_set_send_duty_cycle, 26, {mode, {lirc_request_t::set_send_duty_cycle, 50}}},
  };
  for (const auto& c : cases) {
    lirc0 l(c.features);
    ASSERT_EQ(l.driver.load(framed.data(), 10, framed_repeat, c.period), 0);
    ASSERT_EQ(l.driver.transmit(0xFFFF, 0), 0);
    std::vector<call> expected{{lirc_request_t::get_features, c.features}};
    expected.insert(expected.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(l.device.controls, expected) << c.features << " " << c.period;
  }
}

TEST(IrDriverLirc, OpenAndDeviceFailuresGiveDriverCodes) {
  const struct {
    const char* name;
    const wchar_t* port;
    std::uint32_t features;
    int failure;
    zq::result_t load, transmit, receive;
  } cases[] = {
      {"no port chosen", L"", everything, 0, 304, 302, 304},
      {"not a LIRC port", L"COM3:", everything, 0, 13, 302, 13},
      {"no such device", L"LIRC1:", everything, 0, 13, 302, 13},
      {"lower-case name", L"lirc0:", everything, 0, 0, 0, 17},
      {"receiver only", L"LIRC0:", lirc::can_rec_mode2, 0, 0, 303, 17},
      {"transmitter only", L"LIRC0:", sends, 0, 0, 0, 303},
      {"device pulled out", L"LIRC0:", everything, EIO, 0, 13, 13},
  };
  for (const auto& c : cases) {
    zqtest::lirc_devices_double devices;
    devices.add(0, c.features).failure = c.failure;
    redeye::CIrDrvrLirc driver;
    driver.set_port_name(c.port);
    EXPECT_EQ(driver.load(framed.data(), 10, framed_repeat, 26), c.load) << c.name;
    EXPECT_EQ(driver.transmit(0, 0), c.transmit) << c.name;
    driver.close();
    EXPECT_EQ(driver.receive(), c.receive) << c.name;
  }
}

struct capture_case {
  const char* name;
  std::vector<std::uint32_t> samples;
  zq::result_t code;
  const char* durations;
  std::uint16_t period;
};

TEST(IrDriverLirc, CapturesMode2Samples) {
  std::vector<std::uint32_t> repeats = {pulse(9000), space(4500), pulse(560), space(40000)};
  for (int i = 0; i < 5; ++i) repeats.insert(repeats.end(), {pulse(9000), space(2250), pulse(560), space(96000)});
  std::vector<std::uint32_t> endless;
  for (int i = 0; i < 200; ++i) endless.insert(endless.end(), {pulse(100), space(100)});
  const capture_case cases[] = {
      {"one frame then silence; 38 kHz assumed",
       {space(1000000), pulse(9000), space(4500), pulse(560), space(1690), pulse(560)}, 0,
       "9000 -4500 560 -1690 560", 26},
      {"frequency report 36 kHz", {pulse(9000), frequency(36000), space(4500), pulse(560)}, 0, "9000 -4500 560", 27},
      {"8 kHz is too slow", {pulse(9000), frequency(8000), space(4500), pulse(560)}, 5, "", 0},
      {"neighbouring pulses add up", {pulse(300), pulse(260), space(1000), pulse(560)}, 0, "560 -1000 560", 26},
      {"a short time-out report does not end it",
       {pulse(560), timeout_report(125000), space(150000), pulse(560)}, 0, "560 -150000 560", 26},
      {"a 200 ms time-out report ends it", {pulse(560), space(1000), pulse(560), timeout_report(200000), space(300000), pulse(9)},
       0, "560 -1000 560", 26},
      {"a 200 ms space ends it", {pulse(560), space(200000), pulse(560)}, 0, "560", 26},
      {"the fourth long gap ends it", repeats, 0,
       "9000 -4500 560 -40000 9000 -2250 560 -96000 9000 -2250 560 -96000 9000 -2250 560 -96000", 26},
      {"burst over 800 ms", {pulse(500), space(500), pulse(800001)}, 6, "", 0},
      {"first burst over 800 ms", {pulse(900000)}, 6, "", 0},
      {"a burst of 800 ms is kept", {pulse(500), space(500), pulse(800000)}, 0, "500 -500 800000", 26},
  };
  // What capture_mode2 makes of the samples /dev/lirc0 reports.
  const auto capture = [](const std::vector<std::uint32_t>& samples) {
    zqtest::lirc_devices_double devices;
    devices.add(0, everything).play(samples);
    std::unique_ptr<platform::lirc_device> opened;
    EXPECT_EQ(platform::open_lirc_device(0, opened), 0);
    redeye::capture_run run;
    if (opened) redeye::capture_mode2(*opened, run);
    return run;
  };
  for (const capture_case& c : cases) {
    const redeye::capture_run run = capture(c.samples);
    EXPECT_EQ(run.code, c.code) << c.name;
    if (c.code != 0) continue;
    EXPECT_EQ(text({run.durations.begin(), run.durations.begin() + run.stored}), c.durations) << c.name;
    EXPECT_EQ(run.carrier_period, c.period) << c.name;
  }
  const redeye::capture_run run = capture(endless);
  EXPECT_EQ(run.stored, 299u);
  EXPECT_EQ(run.durations[298], 100);
  EXPECT_EQ(run.durations[299], 0);
}

TEST(IrDriverLirc, NothingFor20SecondsIsATimeOut) {
  lirc0 l(everything);
  l.device.play(std::vector<std::uint32_t>{space(5000000), timeout_report(125000)});
  EXPECT_EQ(l.driver.receive(), 17);
  EXPECT_EQ(now_us(), 20000000u);
  EXPECT_EQ(l.driver.count(), 0u);
}

// An NEC frame (address 0x04, command 0x08) and its repeat frames, 108 ms apart, on a 36 kHz
// carrier that a measuring receiver reports.
std::vector<std::uint32_t> nec_button_held(bool measured) {
  std::vector<std::uint32_t> s = {pulse(9000), space(4500)};
  std::uint32_t frame_us = 13500;
  const std::uint32_t bits = 0x04u | (0xFBu << 8) | (0x08u << 16) | (0xF7u << 24);
  for (int i = 0; i < 32; ++i) {
    const std::uint32_t gap = (bits >> i) & 1 ? 1690 : 560;
    s.insert(s.end(), {pulse(560), space(gap)});
    frame_us += 560 + gap;
  }
  s.push_back(pulse(560));
  if (measured) s.push_back(frequency(36000));
  s.push_back(space(108000 - frame_us - 560));
  for (int i = 0; i < 4; ++i) s.insert(s.end(), {pulse(9000), space(2250), pulse(560), space(96190)});
  return s;
}

TEST(IrDriverLirc, LearnsAHeldNecButtonWithItsRepeatFrame) {
  for (const bool measures : {true, false}) {
    const std::uint32_t features = lirc::can_rec_mode2 | (measures ? lirc::can_measure_carrier : 0);
    lirc0 l(features);
    l.device.play(nec_button_held(measures));
    ASSERT_EQ(l.driver.receive(), 0) << measures;
    const redeye::signal_data learned = l.driver.captured_signal();
    EXPECT_EQ(learned.count(), 72u) << measures;  // the frame, its gap and one repeat frame
    EXPECT_EQ(learned.repeat_index, 68u) << measures;
    EXPECT_EQ(text({learned.durations.begin() + 64, learned.durations.end()}),
              "560 -1690 560 -40020 9000 -2250 560 -96190");
    EXPECT_EQ(learned.carrier_period, measures ? 27u : 26u);  // measured 36 kHz, or 38 kHz assumed
    std::vector<zqtest::lirc_control_call> expected = {{lirc_request_t::get_features, features},
                                                       {lirc_request_t::set_rec_mode, lirc::mode_mode2}};
    if (measures) {
      expected.push_back({lirc_request_t::set_measure_carrier_mode, 1});
      expected.push_back({lirc_request_t::set_measure_carrier_mode, 0});
    }
    EXPECT_EQ(l.device.controls, expected) << measures;
  }
}

TEST(IrDriverLirc, DetectionPicksLircOnlyWithoutAHandheldProcessor) {
  using redeye::processor_family_t;
  const struct {
    const char* processor;
    bool lirc_device;
    processor_family_t family;
  } cases[] = {
      {"x86_64 Intel Xeon", true, processor_family_t::lirc},
      {"x86_64 Intel Xeon", false, processor_family_t::none},
      {"Intel PXA255", true, processor_family_t::pxa255},
      {"ARM920T S3C2440", true, processor_family_t::samsung_s3c},
  };
  for (const auto& c : cases) {
    zqtest::simulated_handheld host(c.processor);
    zqtest::lirc_devices_double devices;
    if (c.lirc_device) devices.add(3, everything);
    EXPECT_EQ(redeye::detect_processor_family(), c.family) << c.processor;
    if (c.family == processor_family_t::lirc) {
      EXPECT_NE(dynamic_cast<redeye::CIrDrvrLirc*>(redeye::get_driver()), nullptr);
    }
  }
  // A simulated handheld offers none of the host's devices.
  zqtest::simulated_handheld handheld("x86_64 Intel Xeon");
  EXPECT_TRUE(platform::lirc_device_numbers().empty());
}

TEST(IrDriverLirc, PortNamesFitSixCharacters) {
  const struct {
    unsigned number;
    const wchar_t* name;
  } names[] = {{0, L"LIRC0:"}, {9, L"LIRC9:"}, {10, L"LIRCA:"}, {35, L"LIRCZ:"}, {36, L""}};
  for (const auto& n : names) {
    EXPECT_EQ(platform::lirc_port_name(n.number), n.name);
    if (*n.name) {
      EXPECT_EQ(platform::lirc_port_number(n.name), n.number);
    }
  }
  for (const wchar_t* other : {L"COM3:", L"LIRC:", L"LIRC10:", L"LIRC#:", L"LIRC0"})
    EXPECT_FALSE(platform::lirc_port_number(other).has_value()) << other;
  EXPECT_EQ(platform::lirc_port_number(L"lircb:"), 11u);
  EXPECT_EQ(platform::lirc_device_number("/dev/lirc12"), 12u);
  EXPECT_EQ(platform::lirc_device_number("lirc0"), 0u);
  EXPECT_FALSE(platform::lirc_device_number("/dev/lirc").has_value());
  EXPECT_FALSE(platform::lirc_device_number("/dev/lirc1x").has_value());

  zqtest::lirc_devices_double devices;
  devices.add(1, everything);
  devices.add(40, everything);  // no port name can hold it
  EXPECT_EQ(platform::lirc_port_entries(), std::vector<std::wstring>{L"LIRC1: Infrared (/dev/lirc1)"});
}

}  // namespace
