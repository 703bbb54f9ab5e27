// The OMAP1510 configuration page (0xFFFE1000) as far as UART3's infrared use needs it: which
// function the UART3 transmit pin carries, and which clock feeds UART3. Every other register only
// keeps its value.
//
// - Function multiplexing register 6 (offset 0x1C), bits 0-2: the function of the UART3 transmit
//   pin; 0 routes UART3's TX to it (and so to the IrDA transceiver), any other value gives the pin
//   to another function and the transceiver sees nothing.
// - Module configuration register 0 (offset 0x80), bit 31: UART3's functional clock, 48 MHz when
//   set, 12 MHz when clear.
//
// UART3 follows both: a write here first lets it catch up with the bits it has shifted out so far,
// then applies the new routing or clock (see omap1510_uart.h).
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "hwsim/register_file.h"

namespace hwsim {

class omap1510_configuration final : public register_file {
 public:
  static constexpr std::uint32_t page = 0xFFFE1000;
  static constexpr std::uint32_t pin_mux_6 = 0x1C;
  static constexpr std::uint32_t uart3_tx_function = 0x7;
  static constexpr std::uint32_t module_config_0 = 0x80;
  static constexpr std::uint32_t uart3_clock_48mhz = 1u << 31;

  // The simulated board at power-on: UART3 on 12 MHz (the platform's slow IrDA rates), its
  // transmit pin routed to it, other modules' settings in the other bits.
  static constexpr std::uint32_t initial_module_config_0 = 0x00000A00;
  static constexpr std::uint32_t initial_pin_mux_6 = 0x00009240;

  omap1510_configuration() {
    store(module_config_0, initial_module_config_0);
    store(pin_mux_6, initial_pin_mux_6);
  }

  // Called around every write: before (the old settings still hold) and after.
  void on_change(std::function<void()> before, std::function<void()> after) {
    before_ = std::move(before);
    after_ = std::move(after);
  }

  void write32(std::uint32_t offset, std::uint32_t value) override {
    if (before_) before_();
    register_file::write32(offset, value);
    if (after_) after_();
  }
  void write8(std::uint32_t offset, std::uint8_t value) override {
    if (before_) before_();
    register_file::write8(offset, value);
    if (after_) after_();
  }

  bool uart3_tx_routed() const { return (stored(pin_mux_6) & uart3_tx_function) == 0; }
  std::uint64_t uart3_clock_hz() const { return (stored(module_config_0) & uart3_clock_48mhz) ? 48000000 : 12000000; }

 private:
  std::function<void()> before_;
  std::function<void()> after_;
};

}  // namespace hwsim
