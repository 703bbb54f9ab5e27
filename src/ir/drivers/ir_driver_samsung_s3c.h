// The driver of the Samsung S3C24xx processors. It finds the UART the platform has put into
// infrared mode (UART0, 1 or 2), takes that UART's transmit pin on port H away from it as a plain
// output and synthesises the carrier cycle by cycle, timed by a free 16-bit PWM timer (2, 3 or 4)
// counting down from 0xFFFF. The timer's rate depends on the processor clock, the clock dividers
// and the timer prescaler; it is worked out once at construction. All interrupts are masked
// during each mark only.
#pragma once

#include <cstdint>

#include "ir/ir_driver.h"
#include "platform/register_page.h"

namespace redeye {

class CIrDrvrSamsungS3C : public CIrDrvr {
 public:
  CIrDrvrSamsungS3C();
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrSamsungS3C() override;
  // Probes the UARTs; when none is in infrared mode, opens the serial port in infrared mode (the
  // base open) and probes again. 0 even when still none is found: transmit and receive report it.
  [[nodiscard]] zq::result_t open() override;

  // Timer ticks per millisecond (1000 when the clock registers could not be read).
  std::uint32_t ticks_per_ms() const { return ticks_per_ms_; }

  // The processor clock in MHz for the clock speed the kernel reports. The two speeds the
  // devices of this family are known to report, 399651840 (400 MHz) and 266000000, and 0
  // (unreported: 203 MHz) are taken as they stand for; any other report of a million or more is
  // in hertz and rounded to the nearest MHz, a smaller one is already in MHz.
  static std::uint32_t clock_mhz(std::uint32_t reported_clock);
  // Ticks per millisecond of timers 2-4 with their divider at a half: the clock divided by the
  // HCLK divider of the clock-divider register (S3C244x, wide: bits 1-2, 1 half, 2 quarter,
  // 3 third; others bit 1, half), halved once more for PCLK when bit 0 is set, divided by the
  // prescaler + 1 and halved. Whole ticks, rounded down.
  static std::uint32_t timer_ticks_per_ms(std::uint32_t mhz, std::uint32_t clock_divider, bool wide_hclk_divider,
                                          std::uint32_t prescaler);

  // Physical addresses and register offsets.
  static constexpr std::uint32_t interrupt_page = 0x4A000000;
  static constexpr std::uint32_t clock_page = 0x4C000000;
  static constexpr std::uint32_t pwm_page = 0x51000000;
  static constexpr std::uint32_t gpio_page = 0x56000000;
  static constexpr std::uint32_t uart_pages[3] = {0x50000000, 0x50004000, 0x50008000};  // UART0, 1, 2
  static constexpr std::uint32_t clock_divider = 0x14;      // CLKDIVN
  static constexpr std::uint32_t timer_config0 = 0x00;      // TCFG0 (prescaler of timers 2-4: bits 8-15)
  static constexpr std::uint32_t timer_config1 = 0x04;      // TCFG1 (divider fields, 4 bits per timer)
  static constexpr std::uint32_t timer_control = 0x08;      // TCON
  static constexpr std::uint32_t source_pending = 0x00;     // SRCPND
  static constexpr std::uint32_t interrupt_mask = 0x08;     // INTMSK (set bit: masked)
  static constexpr std::uint32_t interrupt_pending = 0x10;  // INTPND
  static constexpr std::uint32_t port_h_control = 0x70;     // GPHCON
  static constexpr std::uint32_t port_h_data = 0x74;        // GPHDAT
  static constexpr std::uint32_t uart_line_control = 0x00;  // ULCON (bit 6: infrared mode)

  // By chosen UART (1 UART0, 2 UART1, 3 UART2): the LED pin (port H 2, 4, 6) as a data bit, with
  // the control mask that clears its field and the field value that makes it an output; the
  // receive pin (port H 3, 5, 7) as a data bit, with the mask that makes it an input.
  static constexpr std::uint32_t led_bits[4] = {0, 1u << 2, 1u << 4, 1u << 6};
  static constexpr std::uint32_t led_control_masks[4] = {0, 0xFFFFFFCF, 0xFFFFFCFF, 0xFFFFCFFF};
  static constexpr std::uint32_t led_outputs[4] = {0, 0x10, 0x100, 0x1000};
  static constexpr std::uint32_t receive_bits[4] = {0, 1u << 3, 1u << 5, 1u << 7};
  static constexpr std::uint32_t receive_control_masks[4] = {0, 0xFFFFFF3F, 0xFFFFF3FF, 0xFFFF3FFF};

  // Timers 2, 3 and 4: count buffer, count observation, control bits, divider field and the
  // pending bit of their interrupt.
  struct timer_registers {
    std::uint32_t count_buffer;
    std::uint32_t count_observation;
    std::uint32_t start;
    std::uint32_t manual_update;
    std::uint32_t auto_reload;
    std::uint32_t control_field;  // every control bit of the timer
    std::uint32_t divider_field;  // in TCFG1
    std::uint32_t pending;        // in SRCPND and INTPND
  };
  static constexpr timer_registers timer_2{0x24, 0x2C, 1u << 12, 1u << 13, 1u << 15, 0xF000, 0xF00, 1u << 12};
  static constexpr timer_registers timer_3{0x30, 0x38, 1u << 16, 1u << 17, 1u << 19, 0xF0000, 0xF000, 1u << 13};
  static constexpr timer_registers timer_4{0x3C, 0x40, 1u << 20, 1u << 21, 1u << 22, 0x700000, 0xF0000, 1u << 14};

 protected:
  bool blocks_mapped() const {
    return rate_known_ && timers_.is_mapped() && gpio_.is_mapped() && interrupts_.is_mapped();
  }
  // Chooses the first UART in infrared mode, 0 when none.
  static int probe_uarts();
  // The first of timers 2, 3, 4 whose start and auto-reload bits are both clear; timer 2 when
  // none is.
  const timer_registers& free_timer() const;

  platform::register_page timers_;
  platform::register_page gpio_;
  platform::register_page interrupts_;

 private:
  std::uint32_t ticks_per_ms_ = 1000;
  bool rate_known_ = false;
};

}  // namespace redeye
