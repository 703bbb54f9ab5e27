// The OMAP1510 driver, CIrDrvrOMAP1510. Not available yet: the family gets no driver, and the
// program reports that it cannot use the device's infrared port.
#include "ir/drivers/driver_factory.h"

namespace redeye {

std::unique_ptr<CIrDrvr> make_omap1510_driver() { return nullptr; }

}  // namespace redeye
