#include "ir/drivers/ir_driver_samsung_s3c.h"

#include <memory>
#include <string>

#include "ir/capture_loop.h"
#include "ir/drivers/chosen_uart.h"
#include "ir/drivers/driver_factory.h"
#include "platform/processor_info.h"

namespace redeye {

namespace {

using timer_registers = CIrDrvrSamsungS3C::timer_registers;

// The timers count down from this value and reload it after 0: one underflow every 0x10000 ticks.
constexpr std::uint32_t timer_reload = 0xFFFF;
constexpr std::uint64_t timer_span = 0x10000;

// A 16-bit down counter compared with a target that lies less than half its range away: the
// target is reached when the counter is at or below it.
inline bool reached(std::uint32_t counter, std::uint32_t target) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(counter - target)) <= 0;
}

// One of timers 2-4 taken for a transmit or a receive: its count buffer, divider field and
// control bits are saved, then it runs from 0xFFFF with auto-reload at PCLK / (prescaler + 1) / 2.
class timer_lease {
 public:
  timer_lease(const platform::register_page& timers, const timer_registers& timer) : timers_(timers), timer_(timer) {
    saved_count_buffer_ = timers_.read32(timer_.count_buffer);
    saved_divider_ = timers_.read32(CIrDrvrSamsungS3C::timer_config1) & timer_.divider_field;
    saved_control_ = timers_.read32(CIrDrvrSamsungS3C::timer_control) & timer_.control_field;

    timers_.write32(timer_.count_buffer, timer_reload);
    timers_.write32(CIrDrvrSamsungS3C::timer_config1,
                    timers_.read32(CIrDrvrSamsungS3C::timer_config1) & ~timer_.divider_field);
    const std::uint32_t others = timers_.read32(CIrDrvrSamsungS3C::timer_control) & ~timer_.control_field;
    timers_.write32(CIrDrvrSamsungS3C::timer_control, others | timer_.manual_update | timer_.auto_reload);
    timers_.write32(CIrDrvrSamsungS3C::timer_control, others | timer_.start | timer_.auto_reload);
  }
  ~timer_lease() {
    const std::uint32_t others = timers_.read32(CIrDrvrSamsungS3C::timer_control) & ~timer_.control_field;
    timers_.write32(CIrDrvrSamsungS3C::timer_control, others | saved_control_);
    timers_.write32(CIrDrvrSamsungS3C::timer_config1,
                    (timers_.read32(CIrDrvrSamsungS3C::timer_config1) & ~timer_.divider_field) | saved_divider_);
    timers_.write32(timer_.count_buffer, saved_count_buffer_);
  }
  timer_lease(const timer_lease&) = delete;
  timer_lease& operator=(const timer_lease&) = delete;

 private:
  const platform::register_page& timers_;
  const timer_registers& timer_;
  std::uint32_t saved_count_buffer_ = 0;
  std::uint32_t saved_divider_ = 0;
  std::uint32_t saved_control_ = 0;
};

// Plays marks and spaces on a PWM timer and port H.
//
// A mark costs one division (its number of cycles); between two edges of a carrier cycle the loop
// does exactly one subtraction (the next edge's count; the counter runs down) and reads the
// counter until it gets there, so every edge lands on its tick. The LED bit is set and cleared by
// read-modify-write of the data register. Counter comparisons are made on the signed 16-bit
// difference, so a mark keeps its timing across the counter's underflows.
struct s3c_player {
  const platform::register_page& timers;
  const platform::register_page& gpio;
  const platform::register_page& interrupts;
  std::uint32_t count_observation;  // of the timer in use
  std::uint32_t pending;            // its bit in the pending registers
  std::uint32_t pin;
  std::uint32_t high;   // ticks the LED is on in a cycle
  std::uint32_t cycle;  // ticks of a whole cycle
  std::uint16_t period;
  std::uint32_t ticks_per_ms;

  std::uint32_t counter() const { return timers.read32(count_observation) & 0xFFFFu; }

  void mark(std::int32_t microseconds) {
    const std::uint32_t saved_mask = interrupts.read32(CIrDrvrSamsungS3C::interrupt_mask);
    interrupts.write32(CIrDrvrSamsungS3C::interrupt_mask, 0xFFFFFFFFu);
    std::uint32_t t = counter();
    for (std::uint32_t n = static_cast<std::uint32_t>(microseconds) / period; n != 0; --n) {
      gpio.write32(CIrDrvrSamsungS3C::port_h_data, gpio.read32(CIrDrvrSamsungS3C::port_h_data) | pin);
      const std::uint32_t fall = t - high;
      while (!reached(counter(), fall)) {
      }
      gpio.write32(CIrDrvrSamsungS3C::port_h_data, gpio.read32(CIrDrvrSamsungS3C::port_h_data) & ~pin);
      t -= cycle;
      while (!reached(counter(), t)) {
      }
    }
    interrupts.write32(CIrDrvrSamsungS3C::interrupt_mask, saved_mask);
  }

  // Waits the space's ticks from the counter read that starts it. The underflows that fall inside
  // the wait are counted on the timer's pending bit (acknowledged in both pending registers each
  // time); the part after the last of them is waited on the counter.
  void space(std::int32_t microseconds) {
    const std::uint64_t ticks = static_cast<std::uint64_t>(-static_cast<std::int64_t>(microseconds)) * ticks_per_ms / 1000;
    const std::uint32_t start = counter();
    acknowledge();
    if (ticks == 0) return;
    std::uint32_t target = 0;
    if (ticks <= start) {
      target = start - static_cast<std::uint32_t>(ticks);
    } else {
      // The first underflow comes start + 1 ticks after the read, the others every 0x10000 ticks.
      const std::uint64_t after_first = ticks - start - 1;
      for (std::uint64_t underflows = after_first / timer_span + 1; underflows != 0; --underflows) {
        while ((interrupts.read32(CIrDrvrSamsungS3C::source_pending) & pending) == 0) {
        }
        acknowledge();
      }
      const std::uint32_t rest = static_cast<std::uint32_t>(after_first % timer_span);
      if (rest == 0) return;  // the last underflow ends the space
      target = timer_reload - rest;
    }
    while (counter() > target) {
    }
  }

  void acknowledge() const {
    interrupts.write32(CIrDrvrSamsungS3C::source_pending, pending);
    interrupts.write32(CIrDrvrSamsungS3C::interrupt_pending, pending);
  }
};

// Samples the receive pin in the port H data register against the timer in use, whose 16-bit
// count, running down, is turned into a 32-bit count running up. The capture loop reads the timer
// at least once per carrier period while it times anything, far more often than the counter's
// 0x10000-tick span, so each read can tell how far the counter went since the last one.
struct s3c_sampler : capture_tick_rate {
  const platform::register_page& timers;
  const platform::register_page& gpio;
  std::uint32_t count_observation;
  std::uint32_t pin_bit;
  std::uint32_t last = 0;
  std::uint32_t total = 0;

  bool pin() const { return (gpio.read32(CIrDrvrSamsungS3C::port_h_data) & pin_bit) != 0; }
  std::uint32_t ticks() {
    const std::uint32_t now = timers.read32(count_observation) & 0xFFFFu;
    total += (last - now) & 0xFFFFu;
    last = now;
    return total;
  }
};

}  // namespace

std::unique_ptr<CIrDrvr> make_samsung_s3c_driver() { return std::make_unique<CIrDrvrSamsungS3C>(); }

std::uint32_t CIrDrvrSamsungS3C::clock_mhz(std::uint32_t reported_clock) {
  constexpr std::uint32_t mhz = 1000000;
  switch (reported_clock) {
    case 399651840:
      return 400;
    case 266000000:
      return 266;
    case 0:
      return 203;
    default:
      return reported_clock < mhz ? reported_clock : (reported_clock + mhz / 2) / mhz;
  }
}

std::uint32_t CIrDrvrSamsungS3C::timer_ticks_per_ms(std::uint32_t mhz, std::uint32_t clock_divider,
                                                    bool wide_hclk_divider, std::uint32_t prescaler) {
  static constexpr std::uint64_t wide_divisors[4] = {1, 2, 4, 3};
  std::uint64_t divisor = 1;
  if (wide_hclk_divider)
    divisor = wide_divisors[(clock_divider >> 1) & 0x3u];
  else if (clock_divider & 0x2u)
    divisor = 2;
  if (clock_divider & 0x1u) divisor *= 2;  // PCLK
  divisor *= (prescaler & 0xFFu) + 1;
  divisor *= 2;  // the timer's divider field, cleared: a half
  return static_cast<std::uint32_t>(std::uint64_t{mhz} * 1000 / divisor);
}

CIrDrvrSamsungS3C::CIrDrvrSamsungS3C()
    : timers_(platform::map_register_page(pwm_page)),
      gpio_(platform::map_register_page(gpio_page)),
      interrupts_(platform::map_register_page(interrupt_page)) {
  // Without an answer the clock is unreported (the 203 MHz of the earliest parts).
  platform::processor_info info;
  if (!platform::query_processor_info(info)) info = {};
  const platform::register_page clock = platform::map_register_page(clock_page);
  if (!clock || !timers_) return;
  const bool wide = platform::processor_text(info).find("244") != std::string::npos;
  const std::uint32_t rate = timer_ticks_per_ms(clock_mhz(info.clock_hz), clock.read32(clock_divider), wide,
                                                (timers_.read32(timer_config0) >> 8) & 0xFFu);
  if (rate == 0) return;
  ticks_per_ms_ = rate;
  rate_known_ = true;
}

CIrDrvrSamsungS3C::~CIrDrvrSamsungS3C() = default;

int CIrDrvrSamsungS3C::probe_uarts() {
  for (int uart = 1; uart <= 3; ++uart) {
    const platform::register_page page = platform::map_register_page(uart_pages[uart - 1]);
    if (page && (page.read32(uart_line_control) & (1u << 6)) != 0) return uart;
  }
  return 0;
}

const CIrDrvrSamsungS3C::timer_registers& CIrDrvrSamsungS3C::free_timer() const {
  const std::uint32_t control = timers_.read32(timer_control);
  for (const timer_registers* timer : {&timer_2, &timer_3, &timer_4})
    if ((control & (timer->start | timer->auto_reload)) == 0) return *timer;
  return timer_2;
}

zq::result_t CIrDrvrSamsungS3C::open() {
  remember_thread();
  chosen_ir_uart = 0;
  chosen_ir_uart = probe_uarts();
  if (chosen_ir_uart != 0) return zq::rc::ok;
  const zq::result_t rc = CIrDrvr::open();
  if (rc != zq::rc::ok) return rc;
  chosen_ir_uart = probe_uarts();
  return zq::rc::ok;
}

zq::result_t CIrDrvrSamsungS3C::transmit(std::uint16_t pass_count, int hold_key) {
  if (const zq::result_t rc = check_ready(blocks_mapped()); rc != zq::rc::ok) return rc;
  const int uart = chosen_ir_uart;
  if (uart < 1 || uart > 3) return zq::rc::no_ir_uart;

  settle_transceiver();
  // Take the LED pin from the UART: a plain output, off.
  const std::uint32_t pin = led_bits[uart];
  const std::uint32_t saved_control = gpio_.read32(port_h_control);
  gpio_.write32(port_h_data, gpio_.read32(port_h_data) & ~pin);
  gpio_.write32(port_h_control, (saved_control & led_control_masks[uart]) | led_outputs[uart]);

  // The carrier in this timer's ticks: p = period * ticks per ms; a cycle is p / 1000 ticks, on
  // for p / 2000 and off for the rest.
  const std::uint32_t p = std::uint32_t{carrier_period_} * ticks_per_ms_;
  const timer_registers& timer = free_timer();
  {
    const timer_lease lease(timers_, timer);
    s3c_player player{timers_, gpio_, interrupts_, timer.count_observation, timer.pending, pin,
                      p / 2000, p / 1000, carrier_period_, ticks_per_ms_};
    play_passes(pass_count, hold_key, priority_1, player);
  }

  // Give the pin back to the UART.
  gpio_.write32(port_h_control, saved_control);
  purge_input();
  return zq::rc::ok;
}

zq::result_t CIrDrvrSamsungS3C::receive() {
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

  // Take the receive pin from the UART: a plain input.
  const std::uint32_t saved_control = gpio_.read32(port_h_control);
  gpio_.write32(port_h_control, saved_control & receive_control_masks[uart]);

  capture_run run;
  {
    const timer_registers& timer = free_timer();
    const timer_lease lease(timers_, timer);
    s3c_sampler sampler{{ticks_per_ms_}, timers_, gpio_, timer.count_observation, receive_bits[uart]};
    run_capture(sampler, capture_thread{thread_, priority_1, saved_priority_, saved_quantum_, counter_rate_}, run);
  }

  gpio_.write32(port_h_control, saved_control);
  return finish_capture(run);
}

}  // namespace redeye
