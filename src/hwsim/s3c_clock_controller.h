// The S3C24xx clock controller. Only the clock-divider register (CLKDIVN, offset 0x14) matters
// here: it derives HCLK from FCLK and PCLK from HCLK, and PCLK feeds the PWM timers.
//
// On the S3C244x parts bits 1-2 divide HCLK (0 FCLK, 1 half, 2 quarter, 3 third; the camera
// divider that can halve the last two again is not simulated); on the others bit 1 halves it.
// Bit 0 halves HCLK once more for PCLK. The other registers only keep their values.
#pragma once

#include <cstdint>

#include "hwsim/register_file.h"

namespace hwsim {

class s3c_clock_controller final : public register_file {
 public:
  static constexpr std::uint32_t divider_offset = 0x14;
  // What the boot loader of the simulated board sets: S3C244x HCLK = FCLK/4, PCLK = HCLK/2;
  // others HCLK = FCLK/2, PCLK = HCLK/2.
  static constexpr std::uint32_t wide_default_divider = 0x5;
  static constexpr std::uint32_t narrow_default_divider = 0x3;

  s3c_clock_controller(std::uint64_t fclk_hz, bool wide_hclk_divider)
      : fclk_hz_(fclk_hz), wide_(wide_hclk_divider) {
    store(divider_offset, wide_ ? wide_default_divider : narrow_default_divider);
  }

  std::uint64_t fclk_hz() const { return fclk_hz_; }
  std::uint64_t hclk_hz() const {
    const std::uint32_t divider = stored(divider_offset);
    if (!wide_) return divider & 0x2u ? fclk_hz_ / 2 : fclk_hz_;
    static constexpr std::uint64_t by_bits[4] = {1, 2, 4, 3};
    return fclk_hz_ / by_bits[(divider >> 1) & 0x3u];
  }
  std::uint64_t pclk_hz() const { return stored(divider_offset) & 0x1u ? hclk_hz() / 2 : hclk_hz(); }

 private:
  std::uint64_t fclk_hz_;
  bool wide_;
};

}  // namespace hwsim
