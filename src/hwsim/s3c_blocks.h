// The register blocks of the simulated Samsung S3C24xx handhelds: where they sit, how the IrDA
// transceiver is wired to port H, and the speed the part runs at.
//
// The family's builder (s3c24xx_family.cpp) places the clock controller (clock-divider
// register), the PWM timers (16-bit down counters), port H of the GPIO controller (UART pins, the
// LED and the receiver), the interrupt controller (timer pending bits, the mask register) and the
// three UARTs (infrared-mode bit).
#pragma once

#include <cstdint>
#include <string_view>

namespace hwsim {

namespace s3c {
inline constexpr std::uint32_t interrupt_page = 0x4A000000;
inline constexpr std::uint32_t clock_page = 0x4C000000;
inline constexpr std::uint32_t uart_pages[4] = {0, 0x50000000, 0x50004000, 0x50008000};  // by UART 1..3 = UART0..2
inline constexpr std::uint32_t pwm_page = 0x51000000;
inline constexpr std::uint32_t gpio_page = 0x56000000;

// Port H pins of each UART (1 UART0, 2 UART1, 3 UART2): transmit (the LED) and receive.
inline constexpr int tx_pin[4] = {-1, 2, 4, 6};
inline constexpr int rx_pin[4] = {-1, 3, 5, 7};

// The speed a part runs at for the clock the kernel reports: a report of a million or more is in
// hertz and the part runs at the whole megahertz nearest to it (the 399651840 Hz a 400 MHz part
// reports); a smaller report is already in megahertz; no report (0) is the S3C2410's 203 MHz.
std::uint64_t fclk_hz_for(std::uint32_t reported_clock);

// Whether the processor is one of the S3C244x parts, whose HCLK divider has two bits.
inline bool has_wide_hclk_divider(std::string_view processor_name) {
  return processor_name.find("244") != std::string_view::npos;
}
}  // namespace s3c

}  // namespace hwsim
