// Arbitrary bytes as a stored signal record, decoded (both readings) and loaded into a driver the
// way every send does it. Checks the loading rules on whatever decodes: at most 300 durations, the
// closing space only after a final mark of a signal without repeated part, the carrier period
// replaced outside 10..50, carrier ticks that add up, cycle and tick counts without overflow. A
// signal short enough to play quickly is then sent once by the PXA255 driver on a simulated
// handheld, and the LED must show exactly the carrier cycles its marks call for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <span>
#include <vector>

#include "hwsim/device.h"
#include "ir/driver_registry.h"
#include "ir/driver_waveform.h"
#include "ir/signal_data.h"
#include "platform/clock.h"
#include "platform/input_purge.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

// Signals whose first pass lasts longer than this are not played (the virtual clock makes every
// timer tick cost a counter read).
constexpr std::uint64_t longest_played_us = 50000;

std::uint64_t magnitude(std::int32_t d) {
  const std::int64_t v = d;
  return static_cast<std::uint64_t>(v < 0 ? -v : v);
}

void check_loaded(const redeye::signal_data& signal, double ticks_per_us, redeye::driver_waveform& waveform) {
  const zq::result_t rc = redeye::load_for_driver(signal, ticks_per_us, waveform);
  if (signal.durations.empty()) {
    check(rc == zq::rc::no_durations);
    return;
  }
  if (signal.carrier_period == 0) {
    check(rc == zq::rc::no_carrier);
    return;
  }
  check(rc == zq::rc::ok);

  const std::size_t kept = std::min<std::size_t>(signal.durations.size(), redeye::max_driver_durations);
  check(waveform.durations.size() <= redeye::max_driver_durations);
  check(std::equal(signal.durations.begin(), signal.durations.begin() + static_cast<std::ptrdiff_t>(kept),
                   waveform.durations.begin()));
  const bool closes = signal.durations[kept - 1] >= 0 && kept < redeye::max_driver_durations &&
                      signal.repeat_index >= kept;
  check(waveform.durations.size() == kept + (closes ? 1 : 0));
  if (closes) {
    check(waveform.durations.back() == redeye::closing_space);
    check(waveform.repeat_index >= waveform.count());
  } else {
    check(waveform.repeat_index == signal.repeat_index);
  }

  const bool accepted = signal.carrier_period >= redeye::min_carrier_period &&
                        signal.carrier_period <= redeye::max_carrier_period;
  check(waveform.carrier_period == (accepted ? signal.carrier_period : redeye::fallback_carrier_period));
  const redeye::carrier_ticks& c = waveform.carrier;
  check(c.high + c.low == c.cycle && c.high >= c.low && c.high - c.low <= 1 && c.low > 0);

  for (const std::int32_t d : waveform.durations) {
    if (d >= 0) {
      const std::uint64_t cycles = redeye::mark_cycles(d, waveform.carrier_period);
      check(cycles * waveform.carrier_period <= static_cast<std::uint64_t>(d));
      check((cycles + 1) * waveform.carrier_period > static_cast<std::uint64_t>(d));
    } else {
      for (const redeye::timer_rate_t rate : {redeye::timer_rate_t::mhz_3_6864, redeye::timer_rate_t::mhz_3_25}) {
        const std::uint64_t ticks = redeye::space_ticks(d, rate);
        check(ticks <= magnitude(d) * 4);
        check(ticks >= magnitude(d) * 3);
      }
    }
  }
}

struct simulated_pxa255 {
  hwsim::device device{[] {
    platform::clock::use_virtual(0);
    return hwsim::device_description::from_text("Intel PXA255", 400000000);
  }()};
  redeye::CIrDrvr* driver = nullptr;

  simulated_pxa255() {
    device.install();
    redeye::release_driver();
    driver = redeye::get_driver();
    check(driver != nullptr);
  }
};

// Loads the signal into the PXA255 driver and, when it is short, sends it once.
void send_once(const redeye::signal_data& signal, const redeye::driver_waveform& expected) {
  static simulated_pxa255 handheld;
  redeye::CIrDrvr& driver = *handheld.driver;
  check(driver.load(signal.durations.data(), signal.count(), signal.repeat_index, signal.carrier_period) ==
        zq::rc::ok);
  check(driver.count() == expected.count());
  check(std::equal(expected.durations.begin(), expected.durations.end(), driver.durations().begin()));
  check(driver.repeat_index() == expected.repeat_index);
  const redeye::carrier_ticks carrier = redeye::CIrDrvr::carrier();
  check(carrier.cycle == expected.carrier.cycle && carrier.high == expected.carrier.high);

  std::uint64_t length_us = 0;
  std::uint64_t cycles = 0;
  for (const std::int32_t d : expected.durations) {
    length_us += magnitude(d);
    cycles += redeye::mark_cycles(d, expected.carrier_period);
  }
  if (length_us <= longest_played_us) {
    handheld.device.led().clear();
    check(driver.transmit(redeye::passes_once, 0) == zq::rc::ok);
    // One pass: every cycle of every mark is one rise and one fall, and the LED ends off.
    check(handheld.device.led().edges().size() == 2 * cycles);
    check(!handheld.device.led().is_on());
  }
  driver.close();
  platform::reset_thread_scheduling();
  platform::clear_input_purge_log();
  platform::clear_serial_event_log();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<std::uint8_t> record(data, data + size);
  for (unsigned reading = 0; reading < 2; ++reading) {
    redeye::signal_data signal;
    if (redeye::decode_signal_record(record, reading, signal) != zq::rc::ok) continue;
    redeye::driver_waveform slow;
    check_loaded(signal, redeye::ticks_per_us_3_25, slow);
    redeye::driver_waveform waveform;
    check_loaded(signal, redeye::ticks_per_us_3_6864, waveform);
    if (!signal.durations.empty() && signal.carrier_period != 0) send_once(signal, waveform);
  }
  return 0;
}
