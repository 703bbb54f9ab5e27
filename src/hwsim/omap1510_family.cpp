// The OMAP1510 blocks: UART3 with the IrDA transceiver on it, the MPU timers at 3.038 MHz and the
// configuration page that routes UART3's pin and chooses its clock. The serial port's infrared
// mode is the platform driver's business: it changes nothing the simulated UART3 shows (the board
// starts with UART3 in SIR mode), so no infrared-mode switch is registered.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/omap1510_configuration.h"
#include "hwsim/omap1510_uart.h"
#include "hwsim/omap_mpu_timers.h"

namespace hwsim {

void build_omap1510(device& d) {
  auto& configuration = d.add_block<omap1510_configuration>(omap1510_configuration::page);
  auto& uart = d.add_block<omap1510_uart>(omap1510_uart::page, d.led(), d.receiver(), configuration);
  configuration.on_change([&uart] { uart.catch_up(); }, [&uart] { uart.drive_led(); });
  d.add_block<omap_mpu_timers>(omap_mpu_timers::page, omap1510_timer_hz);
  d.set_timer_hz(omap1510_timer_hz);
}

}  // namespace hwsim
