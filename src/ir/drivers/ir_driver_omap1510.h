// The driver of the OMAP1510 (and ARM920 cores): it does not take the LED pin from the UART but
// makes UART3 produce the carrier itself. Load reprograms UART3 as a plain UART (8 data bits, no
// parity, one stop bit) at twice the carrier frequency on its 48 MHz clock, with its transmit pin
// routed to it; a mark lifts the break and keeps the UART sending 0x55, whose alternating bits
// are the carrier, for as long as a one-shot MPU timer runs; the break (TX held low) keeps the
// LED dark in between. Close gives UART3 back as it was.
//
// Durations are converted to MPU timer ticks (3.038 per microsecond) once, at load. The serial
// port (the base open) is what powers the transceiver.
#pragma once

#include <cstdint>

#include "ir/ir_driver.h"
#include "platform/register_page.h"

namespace redeye {

class CIrDrvrOMAP1510 : public CIrDrvr {
 public:
  CIrDrvrOMAP1510();
  // Restores every register load changed (once, however often it is called), then the base close.
  void close() override;
  // The base load (copy, open), then the durations in timer ticks and UART3 programmed for the
  // carrier. Registers are saved only by the first load after a close.
  [[nodiscard]] zq::result_t load(const std::int32_t* durations, std::uint16_t count, std::uint16_t repeat_index,
                                  std::uint16_t carrier_period) override;
  // 302 also when UART3 is not programmed (no load since the last close).
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  // Opens the port and captures at priority 1 without time slicing: UART3's receive line is
  // sampled where the board shows it without taking it from the UART, on CTS (modem status bit 4,
  // set while the line is low), against a free MPU timer running from 0xFFFFFFFF downwards.
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrOMAP1510() override;

  // Whether UART3 is programmed for transmitting (set by load, cleared when close restores it).
  bool uart_programmed() const { return uart_programmed_; }

  // Physical pages and register offsets.
  static constexpr std::uint32_t uart_page = 0xFFFB9000;
  static constexpr std::uint32_t configuration_page = 0xFFFE1000;
  static constexpr std::uint32_t uart = 0x800;  // UART3's registers in its page, one byte every four
  static constexpr std::uint32_t thr = uart + 0x00;   // transmit holding
  static constexpr std::uint32_t dll = uart + 0x00;   // divisor latch low (while divisor access is on)
  static constexpr std::uint32_t ier = uart + 0x04;   // interrupt enable
  static constexpr std::uint32_t dlh = uart + 0x04;   // divisor latch high (while divisor access is on)
  static constexpr std::uint32_t lcr = uart + 0x0C;   // line control
  static constexpr std::uint32_t lsr = uart + 0x14;   // line status
  static constexpr std::uint32_t msr = uart + 0x18;   // modem status
  static constexpr std::uint32_t mdr1 = uart + 0x20;  // mode definition 1
  static constexpr std::uint32_t pin_mux_6 = 0x1C;        // function multiplexing 6: UART3 TX pin in bits 0-2
  static constexpr std::uint32_t module_config_0 = 0x80;  // module configuration 0: UART3 clock in bit 31

  static constexpr std::uint8_t line_8n1 = 0x03;
  static constexpr std::uint8_t line_8n1_break = 0x43;  // TX held low: the LED dark
  static constexpr std::uint8_t divisor_access = 0x80;
  static constexpr std::uint8_t transmitter_empty = 0x40;  // line status bit 6
  static constexpr std::uint8_t receive_line_low = 0x10;  // modem status bit 4 (CTS)
  static constexpr std::uint8_t mode_uart_16x = 0;
  static constexpr std::uint8_t mode_disabled = 7;
  static constexpr std::uint32_t uart3_tx_function = 0x7;
  static constexpr std::uint32_t uart3_clock_48mhz = 1u << 31;
  // Two bits of alternating level per carrier cycle, five cycles per byte.
  static constexpr std::uint8_t carrier_byte = 0x55;

  static constexpr std::uint32_t timer_order[3] = {0x500, 0x600, 0x700};
  static constexpr std::uint32_t ticks_per_ms = 3038;

 private:
  bool blocks_mapped() const { return uart_.is_mapped() && timers_.is_mapped() && configuration_.is_mapped(); }
  void save_registers();
  void program_uart(std::uint8_t divisor) const;
  void restore_registers() const;

  platform::register_page uart_;
  platform::register_page timers_;
  platform::register_page configuration_;

  bool uart_programmed_ = false;
  // What load found in the registers it changes.
  struct saved_registers {
    std::uint8_t mode = 0;
    std::uint8_t line_control = 0;
    std::uint8_t interrupt_enable = 0;
    std::uint8_t divisor_low = 0;
    std::uint8_t divisor_high = 0;
    std::uint32_t module_config = 0;
    std::uint32_t pin_mux = 0;
  } saved_;
};

}  // namespace redeye
