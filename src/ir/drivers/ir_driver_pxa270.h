// The driver of the PXA27x processors. The blocks, the UART probe, the LED and receive pins and
// the loops are those of the PXA250 driver; the OS timer counts at 3.25 MHz instead of
// 3.6864 MHz, so transmit works out its own carrier half-periods and space ticks, and a mark masks
// every interrupt (the mask register is written 0) instead of keeping the OS timer matches.
#pragma once

#include <cstdint>

#include "ir/drivers/ir_driver_pxa250.h"

namespace redeye {

class CIrDrvrPXA270 : public CIrDrvrPXA250 {
 public:
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  // The PXA250 capture with the capture loop's times converted at 3250 ticks per millisecond.
  [[nodiscard]] zq::result_t receive() override;

  // The carrier half-periods on the 3.25 MHz timer: x = period * 3.25, the fraction above 0.4
  // rounding the cycle up; high = cycle - cycle / 2, low = cycle / 2.
  static carrier_ticks carrier_for(std::uint16_t period);
};

}  // namespace redeye
