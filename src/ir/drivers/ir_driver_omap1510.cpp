#include "ir/drivers/ir_driver_omap1510.h"

#include <memory>

#include "ir/capture_loop.h"
#include "ir/drivers/driver_factory.h"
#include "ir/drivers/omap1510_uart_divisor.h"
#include "ir/drivers/omap_mpu_timer.h"
#include "ir/drivers/omap_transmit_rules.h"

namespace redeye {

namespace {

// Plays marks and spaces with UART3 and a one-shot MPU timer loaded with the duration's ticks. A
// mark lifts the break and refills the transmitter with 0x55 each time it has run empty until
// the timer stops; the UART paces the carrier, the loop only polls. The transmitter is looked at
// before the timer, so that the first start bit follows the lifted break at once rather than
// after a poll of the idle (lit) line. A space waits for the timer.
struct omap1510_player {
  const platform::register_page& uart;
  const platform::register_page& timers;
  std::uint32_t timer;

  bool timer_running() const {
    return (timers.read32(timer + omap_mpu_timer::control) & omap_mpu_timer::start) != 0;
  }

  void mark(std::int32_t ticks) {
    // A mark of no ticks keeps the break on rather than flashing the idle line.
    if (ticks == 0) return;
    uart.write8(CIrDrvrOMAP1510::lcr, CIrDrvrOMAP1510::line_8n1);
    omap_mpu_timer::start_timer(timers, timer, static_cast<std::uint32_t>(ticks), false);
    do {
      if (uart.read8(CIrDrvrOMAP1510::lsr) & CIrDrvrOMAP1510::transmitter_empty)
        uart.write8(CIrDrvrOMAP1510::thr, CIrDrvrOMAP1510::carrier_byte);
    } while (timer_running());
    uart.write8(CIrDrvrOMAP1510::lcr, CIrDrvrOMAP1510::line_8n1_break);
  }

  void space(std::int32_t ticks) {
    omap_mpu_timer::start_timer(timers, timer, static_cast<std::uint32_t>(-static_cast<std::int64_t>(ticks)), false);
    while (timer_running()) {
    }
  }
};

// Samples UART3's receive line through the modem status register, where the board shows it on
// CTS (set while the line is low, during a carrier pulse), against a free-running MPU timer whose
// down count is negated into ticks going up.
struct omap1510_sampler : capture_tick_rate {
  const platform::register_page& uart;
  const platform::register_page& timers;
  std::uint32_t counter;

  bool pin() const { return (uart.read8(CIrDrvrOMAP1510::msr) & CIrDrvrOMAP1510::receive_line_low) == 0; }
  std::uint32_t ticks() const { return ~timers.read32(counter); }
};

}  // namespace

std::unique_ptr<CIrDrvr> make_omap1510_driver() { return std::make_unique<CIrDrvrOMAP1510>(); }

CIrDrvrOMAP1510::CIrDrvrOMAP1510()
    : uart_(platform::map_register_page(uart_page)),
      timers_(platform::map_register_page(omap_mpu_timer::page)),
      configuration_(platform::map_register_page(configuration_page)) {}

CIrDrvrOMAP1510::~CIrDrvrOMAP1510() { CIrDrvrOMAP1510::close(); }

void CIrDrvrOMAP1510::close() {
  if (uart_programmed_) {
    restore_registers();
    uart_programmed_ = false;
  }
  CIrDrvr::close();
}

zq::result_t CIrDrvrOMAP1510::load(const std::int32_t* durations, std::uint16_t count, std::uint16_t repeat_index,
                                   std::uint16_t carrier_period) {
  const zq::result_t rc = CIrDrvr::load(durations, count, repeat_index, carrier_period);
  if (rc != zq::rc::ok) return rc;
  scale_to_ticks({durations_.data(), count_}, ticks_per_ms);
  // Without the blocks transmit reports 301.
  if (!blocks_mapped()) return zq::rc::ok;
  if (!uart_programmed_) save_registers();
  program_uart(omap1510_uart_divisor(carrier_period_));
  uart_programmed_ = true;
  return zq::rc::ok;
}

void CIrDrvrOMAP1510::save_registers() {
  saved_.line_control = uart_.read8(lcr);
  saved_.mode = uart_.read8(mdr1);
  uart_.write8(lcr, static_cast<std::uint8_t>(saved_.line_control & ~divisor_access));
  saved_.interrupt_enable = uart_.read8(ier);
  uart_.write8(lcr, static_cast<std::uint8_t>(saved_.line_control | divisor_access));
  saved_.divisor_low = uart_.read8(dll);
  saved_.divisor_high = uart_.read8(dlh);
  uart_.write8(lcr, saved_.line_control);
  saved_.module_config = configuration_.read32(module_config_0);
  saved_.pin_mux = configuration_.read32(pin_mux_6);
}

void CIrDrvrOMAP1510::program_uart(std::uint8_t divisor) const {
  // Reprogrammed while disabled; it comes back as a plain UART with the break on (the LED dark),
  // its interrupts off so that the system's serial driver does not feed it meanwhile.
  uart_.write8(mdr1, mode_disabled);
  uart_.write8(lcr, line_8n1_break);
  uart_.write8(ier, 0);
  uart_.write8(lcr, divisor_access | line_8n1_break);
  uart_.write8(dll, divisor);
  uart_.write8(dlh, 0);
  uart_.write8(lcr, line_8n1_break);
  configuration_.write32(module_config_0, saved_.module_config | uart3_clock_48mhz);
  configuration_.write32(pin_mux_6, saved_.pin_mux & ~uart3_tx_function);
  uart_.write8(mdr1, mode_uart_16x);
}

void CIrDrvrOMAP1510::restore_registers() const {
  uart_.write8(mdr1, mode_disabled);
  uart_.write8(lcr, static_cast<std::uint8_t>(saved_.line_control & ~divisor_access));
  uart_.write8(ier, saved_.interrupt_enable);
  uart_.write8(lcr, static_cast<std::uint8_t>(saved_.line_control | divisor_access));
  uart_.write8(dll, saved_.divisor_low);
  uart_.write8(dlh, saved_.divisor_high);
  uart_.write8(lcr, saved_.line_control);
  configuration_.write32(module_config_0, saved_.module_config);
  configuration_.write32(pin_mux_6, saved_.pin_mux);
  uart_.write8(mdr1, saved_.mode);
}

zq::result_t CIrDrvrOMAP1510::transmit(std::uint16_t pass_count, int hold_key) {
  if (const zq::result_t rc = check_ready(blocks_mapped()); rc != zq::rc::ok) return rc;
  if (!uart_programmed_) return zq::rc::driver_not_open;

  settle_transceiver();
  const std::uint32_t timer = omap_mpu_timer::first_free(timers_, timer_order);
  const std::uint32_t saved_control = timers_.read32(timer + omap_mpu_timer::control);
  omap1510_player player{uart_, timers_, timer};
  play_passes(pass_count, hold_key, omap_pass_priority(pass_count, hold_key), player);
  timers_.write32(timer + omap_mpu_timer::control, saved_control);
  purge_input();
  return zq::rc::ok;
}

zq::result_t CIrDrvrOMAP1510::receive() {
  if (const zq::result_t rc = open(); rc != zq::rc::ok) return rc;
  // The port is open only during a capture, also one that cannot start.
  const zq::result_t refused = !blocks_mapped()      ? zq::rc::registers_unmapped
                               : saved_priority_ == 0 ? zq::rc::driver_not_open
                                                      : zq::rc::ok;
  if (refused != zq::rc::ok) {
    close();
    return refused;
  }
  // The receive line is read without taking it from UART3; a free timer runs free meanwhile.
  const std::uint32_t timer = omap_mpu_timer::first_free(timers_, timer_order);
  const std::uint32_t saved_control = timers_.read32(timer + omap_mpu_timer::control);
  omap_mpu_timer::start_timer(timers_, timer, 0xFFFFFFFF, true);
  omap1510_sampler sampler{{ticks_per_ms}, uart_, timers_, timer + omap_mpu_timer::read};
  capture_run run;
  run_capture(sampler, capture_thread{thread_, priority_1, saved_priority_, saved_quantum_, counter_rate_}, run);
  timers_.write32(timer + omap_mpu_timer::control, saved_control);
  return finish_capture(run);
}

}  // namespace redeye
