#include "ir/driver_registry.h"

#include <memory>

#include "ir/drivers/driver_factory.h"
#include "ir/processor_family.h"

namespace redeye {

namespace {
std::unique_ptr<CIrDrvr>& the_driver() {
  static std::unique_ptr<CIrDrvr> driver;
  return driver;
}
}  // namespace

CIrDrvr* get_driver() {
  if (!the_driver()) the_driver() = create_driver(detect_processor_family());
  return the_driver().get();
}

void release_driver() { the_driver().reset(); }

}  // namespace redeye
