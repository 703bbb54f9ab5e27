// The register blocks the PXA25x/26x and PXA27x families share: the OS timer, the GPIO
// controller, the interrupt controller and the three UARTs (FF, BT, ST), with the IrDA
// transceiver wired to the UART the device description names. The families differ only in the
// rate of the OS timer (3.6864 MHz on PXA25x/26x, 3.25 MHz on PXA27x).
#pragma once

#include <cstdint>

namespace hwsim {

class device;

namespace pxa {
inline constexpr std::uint32_t os_timer_page = 0x40A00000;
inline constexpr std::uint32_t gpio_page = 0x40E00000;
inline constexpr std::uint32_t interrupt_page = 0x40D00000;
inline constexpr std::uint32_t ff_uart_page = 0x40100000;
inline constexpr std::uint32_t bt_uart_page = 0x40200000;
inline constexpr std::uint32_t st_uart_page = 0x40700000;

inline constexpr std::uint32_t pxa25x_timer_hz = 3686400;
inline constexpr std::uint32_t pxa27x_timer_hz = 3250000;

// GPIO numbers of the UARTs' transmit and receive pins, by UART (1 FF, 2 BT, 3 ST).
inline constexpr int tx_gpio[4] = {-1, 39, 43, 47};
inline constexpr int rx_gpio[4] = {-1, 34, 42, 46};
}  // namespace pxa

// Adds every PXA block to the device, the OS timer counting at timer_hz.
void build_pxa_blocks(device& d, std::uint32_t timer_hz);

}  // namespace hwsim
