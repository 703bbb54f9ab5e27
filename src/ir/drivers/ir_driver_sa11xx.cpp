#include "ir/drivers/ir_driver_sa11xx.h"

#include <memory>

#include "ir/capture_loop.h"
#include "ir/drivers/driver_factory.h"

namespace redeye {

namespace {

// Plays marks and spaces on the SA-11x0 OS timer and pin controller.
//
// A mark costs one division (its number of cycles); between two edges of a carrier cycle the loop
// does exactly one addition and reads the counter until it gets there. TXD2 is the only output
// while the LED is driven, so each edge writes the whole pin-state register. Counter comparisons
// are made on the signed difference so that a mark across the counter's wrap keeps its timing.
struct sa11xx_player {
  const platform::register_page& timer;
  const platform::register_page& pins;
  std::uint32_t high;   // ticks the LED is on in a cycle
  std::uint32_t cycle;  // ticks of a whole cycle
  std::uint16_t period;

  void mark(std::int32_t microseconds) {
    std::uint32_t t = timer.read32(CIrDrvrSA11XX::counter);
    for (std::uint32_t n = static_cast<std::uint32_t>(microseconds) / period; n != 0; --n) {
      pins.write32(CIrDrvrSA11XX::pin_state, CIrDrvrSA11XX::led_bit);
      const std::uint32_t fall = t + high;
      while (static_cast<std::int32_t>(timer.read32(CIrDrvrSA11XX::counter) - fall) < 0) {
      }
      pins.write32(CIrDrvrSA11XX::pin_state, 0);
      t += cycle;
      while (static_cast<std::int32_t>(timer.read32(CIrDrvrSA11XX::counter) - t) < 0) {
      }
    }
  }

  void space(std::int32_t microseconds) {
    std::uint64_t ticks =
        static_cast<std::uint64_t>(-static_cast<std::int64_t>(microseconds)) * space_ticks_per_ms_3_6864 / 1000;
    // A wait is measured on the 32-bit counter: very long spaces wait in parts.
    constexpr std::uint64_t longest_wait = 0x80000000u;
    for (; ticks > longest_wait; ticks -= longest_wait) wait(static_cast<std::uint32_t>(longest_wait));
    wait(static_cast<std::uint32_t>(ticks));
  }

  // Waits until the counter has advanced by ticks; a target past the counter's wrap first waits
  // for the wrap (the counter falling below where it started), then for the target.
  void wait(std::uint32_t ticks) const {
    const std::uint32_t start = timer.read32(CIrDrvrSA11XX::counter);
    const std::uint32_t target = start + ticks;
    std::uint32_t now = start;
    if (target < start) {
      while (now >= start) now = timer.read32(CIrDrvrSA11XX::counter);
    }
    while (now < target) now = timer.read32(CIrDrvrSA11XX::counter);
  }
};

// Samples RXD2 in the pin-state register against the OS timer.
struct sa11xx_sampler : capture_tick_rate {
  const platform::register_page& timer;
  const platform::register_page& pins;

  bool pin() const { return (pins.read32(CIrDrvrSA11XX::pin_state) & CIrDrvrSA11XX::receive_bit) != 0; }
  std::uint32_t ticks() const { return timer.read32(CIrDrvrSA11XX::counter); }
};

}  // namespace

std::unique_ptr<CIrDrvr> make_sa11xx_driver() { return std::make_unique<CIrDrvrSA11XX>(); }

CIrDrvrSA11XX::CIrDrvrSA11XX()
    : uart_(platform::map_register_page(serial2_uart_page)),
      hssp_(platform::map_register_page(serial2_hssp_page)),
      pins_(platform::map_register_page(pin_controller_page)),
      timer_(platform::map_register_page(os_timer_page)),
      interrupts_(platform::map_register_page(interrupt_page)) {}

CIrDrvrSA11XX::~CIrDrvrSA11XX() = default;

zq::result_t CIrDrvrSA11XX::transmit(std::uint16_t pass_count, int hold_key) {
  if (const zq::result_t rc = check_ready(blocks_mapped()); rc != zq::rc::ok) return rc;
  settle_transceiver();
  // No platform request is made around the passes: on Linux and on the simulated device the
  // serial port's infrared mode is all the transceiver needs.

  // Take TXD2 from the UART: the only output of the pin controller. The other pins' levels are
  // written over by every edge, so they are saved too.
  const std::uint8_t saved_control = uart_.read8(uart_control0);
  const std::uint32_t saved_direction = pins_.read32(pin_direction);
  const std::uint32_t saved_state = pins_.read32(pin_state);
  uart_.write8(uart_control0, static_cast<std::uint8_t>((saved_control & uart_control_keep) | uart_control_set));
  pins_.write32(pin_direction, led_bit);

  sa11xx_player player{timer_, pins_, carrier().high, carrier().cycle, carrier_period_};
  play_passes(pass_count, hold_key, priority_0, player);

  // Give the pins back, then the UART.
  pins_.write32(pin_direction, saved_direction);
  pins_.write32(pin_state, saved_state);
  uart_.write8(uart_control0, saved_control);
  platform::set_thread_quantum(thread_, saved_quantum_);
  purge_input();
  return zq::rc::ok;
}

zq::result_t CIrDrvrSA11XX::receive() {
  if (const zq::result_t rc = open(); rc != zq::rc::ok) return rc;
  // The port is open only during a capture, also one that cannot start.
  const zq::result_t refused = !blocks_mapped()        ? zq::rc::registers_unmapped
                               : saved_priority_ == 0 ? zq::rc::driver_not_open
                                                      : zq::rc::ok;
  if (refused != zq::rc::ok) {
    close();
    return refused;
  }
  // RXD2 is an input and the pin-state register shows its level: the capture only reads, so no
  // register is changed.
  sa11xx_sampler sampler{{space_ticks_per_ms_3_6864}, timer_, pins_};
  capture_run run;
  run_capture(sampler, capture_thread{thread_, priority_0, saved_priority_, saved_quantum_, counter_rate_}, run);
  return finish_capture(run);
}

}  // namespace redeye
