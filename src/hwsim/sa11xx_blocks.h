// Where the SA-11x0 blocks the IR driver touches sit, and the wiring of the IrDA transceiver to
// serial port 2: its transmit pin TXD2 (pin-controller bit 14) drives the LED, its receive pin
// RXD2 (bit 15) reads the receiver.
#pragma once

#include <cstdint>

namespace hwsim::sa11xx {

inline constexpr std::uint32_t serial2_uart_page = 0x80030000;
inline constexpr std::uint32_t serial2_hssp_page = 0x80040000;
inline constexpr std::uint32_t os_timer_page = 0x90000000;
inline constexpr std::uint32_t interrupt_page = 0x90050000;
inline constexpr std::uint32_t pin_controller_page = 0x90060000;

inline constexpr std::uint32_t timer_hz = 3686400;

inline constexpr std::uint32_t txd2_bit = 1u << 14;
inline constexpr std::uint32_t rxd2_bit = 1u << 15;

}  // namespace hwsim::sa11xx
