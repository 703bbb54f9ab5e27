#include "ir/drivers/ir_driver_omap850.h"

#include <memory>

#include "ir/capture_loop.h"
#include "ir/drivers/driver_factory.h"
#include "ir/drivers/omap_mpu_timer.h"
#include "ir/drivers/omap_transmit_rules.h"

namespace redeye {

namespace {

// Plays marks and spaces on GPIO bit 5 against the free-running MPU timer, which counts down.
//
// A mark costs one division (its number of cycles); between two edges of a carrier cycle the loop
// does exactly one subtraction (the next edge's count) and reads the counter until it gets there.
// Comparisons are made on the signed difference, so a mark or space across the counter's wrap
// keeps its timing.
struct omap850_player {
  const platform::register_page& timers;
  const platform::register_page& gpio;
  std::uint32_t counter;  // the chosen timer's read register
  std::uint32_t high;     // ticks the LED is on in a cycle
  std::uint32_t cycle;    // ticks of a whole cycle

  void mark(std::int32_t ticks) {
    const std::uint32_t output = gpio.read32(CIrDrvrOMAP850::data_output);
    const std::uint32_t on = output | CIrDrvrOMAP850::led_bit;
    const std::uint32_t off = output & ~CIrDrvrOMAP850::led_bit;
    std::uint32_t t = timers.read32(counter);
    for (std::uint32_t n = static_cast<std::uint32_t>(ticks) / cycle + 1; n != 0; --n) {
      gpio.write32(CIrDrvrOMAP850::data_output, on);
      const std::uint32_t fall = t - high;
      while (static_cast<std::int32_t>(timers.read32(counter) - fall) > 0) {
      }
      gpio.write32(CIrDrvrOMAP850::data_output, off);
      t -= cycle;
      while (static_cast<std::int32_t>(timers.read32(counter) - t) > 0) {
      }
    }
  }

  void space(std::int32_t ticks) {
    std::uint32_t left = static_cast<std::uint32_t>(-static_cast<std::int64_t>(ticks));
    // The signed comparison covers waits below 2^31 ticks: longer ones wait in parts.
    constexpr std::uint32_t longest_wait = 0x40000000;
    for (; left > longest_wait; left -= longest_wait) wait(longest_wait);
    wait(left);
  }

  void wait(std::uint32_t ticks) const {
    const std::uint32_t target = timers.read32(counter) - ticks;
    while (static_cast<std::int32_t>(timers.read32(counter) - target) > 0) {
    }
  }
};

// Samples the receive pin in the data-input register against the free-running MPU timer, whose
// down count is negated into ticks going up.
struct omap850_sampler : capture_tick_rate {
  const platform::register_page& gpio;
  const platform::register_page& timers;
  std::uint32_t counter;

  bool pin() const { return (gpio.read32(CIrDrvrOMAP850::data_input) & CIrDrvrOMAP850::receive_bit) != 0; }
  std::uint32_t ticks() const { return ~timers.read32(counter); }
};

}  // namespace

std::unique_ptr<CIrDrvr> make_omap850_driver() { return std::make_unique<CIrDrvrOMAP850>(); }

CIrDrvrOMAP850::CIrDrvrOMAP850()
    : system_(platform::map_register_page(system_page)),
      timers_(platform::map_register_page(omap_mpu_timer::page)),
      gpio_(platform::map_register_page(gpio_page)),
      configuration_(platform::map_register_page(configuration_page)) {}

CIrDrvrOMAP850::~CIrDrvrOMAP850() { CIrDrvrOMAP850::close(); }

void CIrDrvrOMAP850::close() {
  uart_programmed_ = false;
  CIrDrvr::close();
}

zq::result_t CIrDrvrOMAP850::load(const std::int32_t* durations, std::uint16_t count, std::uint16_t repeat_index,
                                  std::uint16_t carrier_period) {
  const zq::result_t rc = CIrDrvr::load(durations, count, repeat_index, carrier_period);
  if (rc != zq::rc::ok) return rc;
  scale_to_ticks({durations_.data(), count_}, ticks_per_ms);
  cycle_ = std::uint32_t{carrier_period_} * ticks_per_ms / 1000;
  high_ = cycle_ / 2;
  uart_programmed_ = true;
  return zq::rc::ok;
}

zq::result_t CIrDrvrOMAP850::transmit(std::uint16_t pass_count, int hold_key) {
  if (const zq::result_t rc = check_ready(blocks_mapped()); rc != zq::rc::ok) return rc;
  if (!uart_programmed_) return zq::rc::driver_not_open;

  settle_transceiver();
  // The LED pin an output, dark to begin with.
  const std::uint32_t saved_direction = gpio_.read32(direction);
  gpio_.write32(data_output, gpio_.read32(data_output) & ~led_bit);
  gpio_.write32(direction, saved_direction & ~led_bit);
  // A free timer running from 0xFFFFFFFF downwards for the whole transmission.
  const std::uint32_t timer = omap_mpu_timer::first_free(timers_, timer_order);
  const std::uint32_t saved_control = timers_.read32(timer + omap_mpu_timer::control);
  omap_mpu_timer::start_timer(timers_, timer, 0xFFFFFFFF, true);

  omap850_player player{timers_, gpio_, timer + omap_mpu_timer::read, high_, cycle_};
  play_passes(pass_count, hold_key, omap_pass_priority(pass_count, hold_key), player);

  timers_.write32(timer + omap_mpu_timer::control, saved_control);
  gpio_.write32(direction, saved_direction);
  purge_input();
  return zq::rc::ok;
}

zq::result_t CIrDrvrOMAP850::receive() {
  if (const zq::result_t rc = open(); rc != zq::rc::ok) return rc;
  // The port is open only during a capture, also one that cannot start.
  const zq::result_t refused = !blocks_mapped()      ? zq::rc::registers_unmapped
                               : saved_priority_ == 0 ? zq::rc::driver_not_open
                                                      : zq::rc::ok;
  if (refused != zq::rc::ok) {
    close();
    return refused;
  }
  // The receive pin an input while the capture runs, against a free timer running free.
  const std::uint32_t saved_direction = gpio_.read32(direction);
  gpio_.write32(direction, saved_direction | receive_bit);
  const std::uint32_t timer = omap_mpu_timer::first_free(timers_, timer_order);
  const std::uint32_t saved_control = timers_.read32(timer + omap_mpu_timer::control);
  omap_mpu_timer::start_timer(timers_, timer, 0xFFFFFFFF, true);
  omap850_sampler sampler{{ticks_per_ms}, gpio_, timers_, timer + omap_mpu_timer::read};
  capture_run run;
  run_capture(sampler, capture_thread{thread_, priority_1, saved_priority_, saved_quantum_, counter_rate_}, run);
  timers_.write32(timer + omap_mpu_timer::control, saved_control);
  gpio_.write32(direction, saved_direction);
  return finish_capture(run);
}

}  // namespace redeye
