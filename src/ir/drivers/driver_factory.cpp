#include "ir/drivers/driver_factory.h"

namespace redeye {

std::unique_ptr<CIrDrvr> create_driver(processor_family_t family) {
  switch (family) {
    case processor_family_t::sa11x0:
      return make_sa11xx_driver();
    case processor_family_t::pxa250:
    case processor_family_t::pxa255:
    case processor_family_t::pxa26x:
      return make_pxa250_driver();
    case processor_family_t::pxa27x:
      return make_pxa270_driver();
    case processor_family_t::samsung_s3c:
      return make_samsung_s3c_driver();
    case processor_family_t::omap1510:
      return make_omap1510_driver();
    case processor_family_t::omap850:
      return make_omap850_driver();
    case processor_family_t::lirc:
      return make_lirc_driver();
    case processor_family_t::none:
      break;
  }
  return nullptr;
}

}  // namespace redeye
