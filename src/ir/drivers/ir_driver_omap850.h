// The driver of the OMAP850: the IrDA transceiver's transmit input and receive output are GPIO
// pins (bits 5 and 6 of the bank at 0xFFFBC800), and the carrier is made cycle by cycle on bit 5,
// timed by an MPU timer running free from 0xFFFFFFFF downwards at 6.48 ticks per microsecond.
//
// Load converts durations and the carrier period to timer ticks once: a cycle is period * 6.48
// ticks (truncated), the LED on for half of it (rounded down) and off for the rest; a mark plays
// one cycle more than its ticks hold whole cycles. The pages at 0xFFFB0000 and 0xFFFE1000 are
// mapped with the others but nothing in them needs changing: the transceiver's pins are plain
// GPIOs on this processor's boards.
#pragma once

#include <cstdint>

#include "ir/ir_driver.h"
#include "platform/register_page.h"

namespace redeye {

class CIrDrvrOMAP850 : public CIrDrvr {
 public:
  CIrDrvrOMAP850();
  // Clears the loaded flag, then the base close.
  void close() override;
  // The base load (copy, open), then durations and carrier in timer ticks.
  [[nodiscard]] zq::result_t load(const std::int32_t* durations, std::uint16_t count, std::uint16_t repeat_index,
                                  std::uint16_t carrier_period) override;
  // 302 also when nothing is loaded since the last close.
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  // Opens the port and captures at priority 1 without time slicing: bit 6 becomes an input for the
  // capture and is sampled in the data-input register against a free MPU timer running from
  // 0xFFFFFFFF downwards.
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrOMAP850() override;

  // Set by load (the durations are in ticks and the port is open), cleared by close.
  bool uart_programmed() const { return uart_programmed_; }
  // One carrier cycle in timer ticks and its lit part, as load computed them.
  std::uint32_t carrier_cycle() const { return cycle_; }
  std::uint32_t carrier_high() const { return high_; }

  // Physical pages and register offsets.
  static constexpr std::uint32_t system_page = 0xFFFB0000;
  static constexpr std::uint32_t gpio_page = 0xFFFBC000;
  static constexpr std::uint32_t configuration_page = 0xFFFE1000;
  static constexpr std::uint32_t data_input = 0x800;
  static constexpr std::uint32_t data_output = 0x804;
  static constexpr std::uint32_t direction = 0x808;  // a set bit makes the pin an input
  static constexpr std::uint32_t led_bit = 1u << 5;
  static constexpr std::uint32_t receive_bit = 1u << 6;

  static constexpr std::uint32_t timer_order[3] = {0x700, 0x600, 0x500};
  static constexpr std::uint32_t ticks_per_ms = 6480;

 private:
  bool blocks_mapped() const {
    return system_.is_mapped() && timers_.is_mapped() && gpio_.is_mapped() && configuration_.is_mapped();
  }

  platform::register_page system_;
  platform::register_page timers_;
  platform::register_page gpio_;
  platform::register_page configuration_;

  bool uart_programmed_ = false;
  std::uint32_t cycle_ = 0;
  std::uint32_t high_ = 0;
};

}  // namespace redeye
