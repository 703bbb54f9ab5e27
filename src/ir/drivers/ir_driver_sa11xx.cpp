// The SA-11x0 driver, CIrDrvrSA11XX. Not available yet: the family gets no driver, and the
// program reports that it cannot use the device's infrared port.
#include "ir/drivers/driver_factory.h"

namespace redeye {

std::unique_ptr<CIrDrvr> make_sa11xx_driver() { return nullptr; }

}  // namespace redeye
