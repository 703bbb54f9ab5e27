#include "ir/drivers/omap1510_uart_divisor.h"

#include <algorithm>
#include <array>

namespace redeye {

namespace {

constexpr std::uint16_t first_period = 11;
constexpr std::uint16_t last_period = 100;

// By carrier period, 11 to 100 microseconds.
constexpr std::array<std::uint8_t, last_period - first_period + 1> divisors = {
    17,  18,  19,  21,  22,  24,  25,  27,  28,        // 11-19
    30,  31,  32,  34,  35,  37,  39,  40,  41,  42,   // 20-29
    44,  45,  47,  48,  50,  51,  53,  54,  56,  57,   // 30-39
    58,  60,  61,  63,  64,  66,  67,  69,  70,  72,   // 40-49
    73,  74,  76,  77,  79,  79,  80,  84,  85,  86,   // 50-59
    87,  88,  90,  91,  92,  94,  95,  98,  99,  101,  // 60-69
    103, 104, 105, 106, 108, 109, 110, 112, 113, 114,  // 70-79
    116, 118, 119, 121, 123, 125, 125, 126, 128, 129,  // 80-89
    130, 132, 135, 136, 137, 139, 140, 141, 142, 143,  // 90-99
    144,                                               // 100
};

}  // namespace

std::uint8_t omap1510_uart_divisor(std::uint16_t carrier_period) {
  const std::uint16_t period = std::clamp(carrier_period, first_period, last_period);
  return divisors[period - first_period];
}

}  // namespace redeye
