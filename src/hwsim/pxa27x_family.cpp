// The PXA27x blocks: the shared PXA blocks with the OS timer at 3.25 MHz.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/pxa_blocks.h"

namespace hwsim {

void build_pxa27x(device& d) { build_pxa_blocks(d, pxa::pxa27x_timer_hz); }

}  // namespace hwsim
