// The UART3 divisor that makes the OMAP1510's UART send bits at twice a carrier frequency, so
// that alternating bits (0x55) form that carrier. UART3 runs on its 48 MHz clock with 16 clocks
// per bit: a bit lasts divisor / 3 microseconds and a carrier period two bits, close to
// 2 * divisor / 3. The table is used as it stands; it follows that formula only roughly (period 100
// gives 144, a 96-microsecond carrier).
#pragma once

#include <cstdint>

namespace redeye {

// The low divisor byte for a carrier period in microseconds, clamped to 11..100 (the high byte
// is always 0).
std::uint8_t omap1510_uart_divisor(std::uint16_t carrier_period);

}  // namespace redeye
