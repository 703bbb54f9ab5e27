// The Samsung S3C24xx driver, CIrDrvrSamsungS3C. Not available yet: the family gets no driver, and the
// program reports that it cannot use the device's infrared port.
#include "ir/drivers/driver_factory.h"

namespace redeye {

std::unique_ptr<CIrDrvr> make_samsung_s3c_driver() { return nullptr; }

}  // namespace redeye
