#include "ir/drivers/ir_driver_pxa270.h"

#include <memory>

#include "ir/drivers/driver_factory.h"

namespace redeye {

std::unique_ptr<CIrDrvr> make_pxa270_driver() { return std::make_unique<CIrDrvrPXA270>(); }

carrier_ticks CIrDrvrPXA270::carrier_for(std::uint16_t period) {
  // Load leaves the program's half-periods in 3.6864 MHz ticks; this timer needs its own.
  return carrier_ticks_for(period, 3250 * 0.001);
}

zq::result_t CIrDrvrPXA270::transmit(std::uint16_t pass_count, int hold_key) {
  return transmit_with(pass_count, hold_key, carrier_for(carrier_period_), space_ticks_per_ms_3_25, 0);
}

zq::result_t CIrDrvrPXA270::receive() { return receive_with(space_ticks_per_ms_3_25); }

}  // namespace redeye
