#include "ir/drivers/ir_driver_pxa250.h"

#include <memory>

#include "ir/capture_loop.h"
#include "ir/drivers/chosen_uart.h"
#include "ir/drivers/driver_factory.h"

namespace redeye {

namespace {

// Plays marks and spaces on the PXA OS timer and GPIO bank 1.
//
// A mark costs one division (its number of cycles); between two edges of a carrier cycle the loop
// does exactly one addition (the next edge's tick) and reads the counter until it gets there, so
// every edge lands on its tick. Counter comparisons are made on the signed difference so that a
// mark across the counter's wrap keeps its timing.
struct pxa_player {
  const platform::register_page& timer;
  const platform::register_page& gpio;
  const platform::register_page& interrupts;
  std::uint32_t pin;
  std::uint32_t high;   // ticks the LED is on in a cycle
  std::uint32_t cycle;  // ticks of a whole cycle (high + low, added once per load)
  std::uint16_t period;
  std::uint32_t space_ticks_per_ms;
  std::uint32_t kept_interrupts;

  void mark(std::int32_t microseconds) {
    const std::uint32_t saved_mask = interrupts.read32(CIrDrvrPXA250::interrupt_mask);
    interrupts.write32(CIrDrvrPXA250::interrupt_mask, saved_mask & kept_interrupts);
    std::uint32_t t = timer.read32(CIrDrvrPXA250::counter);
    for (std::uint32_t n = static_cast<std::uint32_t>(microseconds) / period; n != 0; --n) {
      gpio.write32(CIrDrvrPXA250::set_1, pin);
      const std::uint32_t fall = t + high;
      while (static_cast<std::int32_t>(timer.read32(CIrDrvrPXA250::counter) - fall) < 0) {
      }
      gpio.write32(CIrDrvrPXA250::clear_1, pin);
      t += cycle;
      while (static_cast<std::int32_t>(timer.read32(CIrDrvrPXA250::counter) - t) < 0) {
      }
    }
    interrupts.write32(CIrDrvrPXA250::interrupt_mask, saved_mask | interrupts.read32(CIrDrvrPXA250::interrupt_mask));
  }

  void space(std::int32_t microseconds) {
    std::uint64_t ticks = static_cast<std::uint64_t>(-static_cast<std::int64_t>(microseconds)) * space_ticks_per_ms / 1000;
    // A wait is measured on the 32-bit counter: very long spaces wait in parts.
    constexpr std::uint64_t longest_wait = 0x80000000u;
    for (; ticks > longest_wait; ticks -= longest_wait) wait(static_cast<std::uint32_t>(longest_wait));
    wait(static_cast<std::uint32_t>(ticks));
  }

  // Waits until the counter has advanced by ticks. When the target lies past the counter's wrap,
  // first waits for the wrap (the counter falling below where it started), then for the target.
  void wait(std::uint32_t ticks) const {
    const std::uint32_t start = timer.read32(CIrDrvrPXA250::counter);
    const std::uint32_t target = start + ticks;
    std::uint32_t now = start;
    if (target < start) {
      while (now >= start) now = timer.read32(CIrDrvrPXA250::counter);
    }
    while (now < target) now = timer.read32(CIrDrvrPXA250::counter);
  }
};

// Samples the receive pin in the level register of bank 1 against the OS timer.
struct pxa_sampler : capture_tick_rate {
  const platform::register_page& timer;
  const platform::register_page& gpio;
  std::uint32_t pin_bit;

  bool pin() const { return (gpio.read32(CIrDrvrPXA250::level_1) & pin_bit) != 0; }
  std::uint32_t ticks() const { return timer.read32(CIrDrvrPXA250::counter); }
};

}  // namespace

std::unique_ptr<CIrDrvr> make_pxa250_driver() { return std::make_unique<CIrDrvrPXA250>(); }

CIrDrvrPXA250::CIrDrvrPXA250()
    : timer_(platform::map_register_page(os_timer_page)),
      gpio_(platform::map_register_page(gpio_page)),
      interrupts_(platform::map_register_page(interrupt_page)) {}

CIrDrvrPXA250::~CIrDrvrPXA250() = default;

int CIrDrvrPXA250::probe_uarts() {
  for (int uart = 1; uart <= 3; ++uart) {
    const platform::register_page page = platform::map_register_page(uart_pages[uart - 1]);
    if (!page) continue;
    const bool unit_enabled = (page.read32(uart_ier) & (1u << 6)) != 0;
    const bool infrared = (page.read32(uart_isr) & 0x3u) != 0;
    if (unit_enabled && infrared) return uart;
  }
  return 0;
}

zq::result_t CIrDrvrPXA250::open() {
  remember_thread();
  chosen_ir_uart = 0;
  chosen_ir_uart = probe_uarts();
  if (chosen_ir_uart != 0) return zq::rc::ok;
  const zq::result_t rc = CIrDrvr::open();
  if (rc != zq::rc::ok) return rc;
  chosen_ir_uart = probe_uarts();
  return zq::rc::ok;
}

zq::result_t CIrDrvrPXA250::transmit(std::uint16_t pass_count, int hold_key) {
  return transmit_with(pass_count, hold_key, carrier(), space_ticks_per_ms_3_6864, os_timer_interrupts);
}

zq::result_t CIrDrvrPXA250::transmit_with(std::uint16_t pass_count, int hold_key, carrier_ticks carrier,
                                          std::uint32_t space_ticks_per_ms, std::uint32_t kept_interrupts) {
  if (const zq::result_t rc = check_ready(blocks_mapped()); rc != zq::rc::ok) return rc;
  const int uart = chosen_ir_uart;
  if (uart < 1 || uart > 3) return zq::rc::no_ir_uart;

  settle_transceiver();
  // Take the LED pin from the UART: a plain GPIO output.
  const std::uint32_t saved_direction = gpio_.read32(direction_1);
  const std::uint32_t saved_alternate = gpio_.read32(alternate_1_lower);
  gpio_.write32(alternate_1_lower, saved_alternate & led_alternate_masks[uart]);
  gpio_.write32(direction_1, saved_direction | led_bits[uart]);

  pxa_player player{timer_,        gpio_,         interrupts_,        led_bits[uart], carrier.high,
                    carrier.cycle, carrier_period_, space_ticks_per_ms, kept_interrupts};
  play_passes(pass_count, hold_key, priority_1, player);

  // Give the pin back to the UART.
  gpio_.write32(alternate_1_lower, saved_alternate);
  gpio_.write32(direction_1, saved_direction);
  purge_input();
  return zq::rc::ok;
}

zq::result_t CIrDrvrPXA250::receive() { return receive_with(space_ticks_per_ms_3_6864); }

zq::result_t CIrDrvrPXA250::receive_with(std::uint32_t ticks_per_ms) {
  if (const zq::result_t rc = open(); rc != zq::rc::ok) return rc;
  // The port is open only during a capture, also one that cannot start.
  zq::result_t refused = zq::rc::ok;
  if (!blocks_mapped())
    refused = zq::rc::registers_unmapped;
  else if (saved_priority_ == 0)
    refused = zq::rc::driver_not_open;
  else if (chosen_ir_uart < 1 || chosen_ir_uart > 3)
    refused = zq::rc::no_ir_uart;
  if (refused != zq::rc::ok) {
    close();
    return refused;
  }
  const int uart = chosen_ir_uart;

  // Take the receive pin from the UART: a plain GPIO input.
  const std::uint32_t saved_direction = gpio_.read32(direction_1);
  const std::uint32_t saved_alternate = gpio_.read32(alternate_1_lower);
  gpio_.write32(alternate_1_lower, saved_alternate & receive_alternate_masks[uart]);
  gpio_.write32(direction_1, saved_direction & ~receive_bits[uart]);

  pxa_sampler sampler{{ticks_per_ms}, timer_, gpio_, receive_bits[uart]};
  capture_run run;
  run_capture(sampler, capture_thread{thread_, priority_1, saved_priority_, saved_quantum_, counter_rate_}, run);

  gpio_.write32(alternate_1_lower, saved_alternate);
  gpio_.write32(direction_1, saved_direction);
  return finish_capture(run);
}

}  // namespace redeye
