// The PXA27x register blocks. Not simulated yet: a device of this family has no register
// pages, so its driver reports that its blocks cannot be mapped.
#include "hwsim/device.h"
#include "hwsim/families.h"

namespace hwsim {

void build_pxa27x(device&) {}

}  // namespace hwsim
