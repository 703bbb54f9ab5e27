// The PXA25x/26x blocks: the shared PXA blocks with the OS timer at 3.6864 MHz.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/pxa_blocks.h"

namespace hwsim {

void build_pxa25x(device& d) { build_pxa_blocks(d, pxa::pxa25x_timer_hz); }

}  // namespace hwsim
