// The OMAP850 blocks: the MPU timers at 6.48 MHz, the GPIO bank the IrDA transceiver hangs on,
// and the two pages the driver maps without needing anything from them (0xFFFB0000 and the
// configuration page 0xFFFE1000; on the simulated board the transceiver's pins are plain GPIOs
// and nothing there has to change), as plain registers. The serial port's infrared mode changes
// nothing the simulated blocks show, so no infrared-mode switch is registered.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/omap850_gpio.h"
#include "hwsim/omap_mpu_timers.h"
#include "hwsim/register_file.h"

namespace hwsim {

void build_omap850(device& d) {
  d.add_block<register_file>(0xFFFB0000);
  d.add_block<register_file>(0xFFFE1000);
  d.add_block<omap_mpu_timers>(omap_mpu_timers::page, omap850_timer_hz);
  d.add_block<omap850_gpio>(omap850_gpio::page, d.led(), d.receiver());
  d.set_timer_hz(omap850_timer_hz);
}

}  // namespace hwsim
