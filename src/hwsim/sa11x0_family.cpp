// The SA-11x0 blocks: serial port 2 (UART and HSSP), the OS timer at 3.6864 MHz, the interrupt
// controller and the peripheral pin controller. The OS timer and the interrupt controller have the
// layout the PXA processors inherited (counter at 0x10, mask register at 0x04), so the PXA blocks
// serve. The family has one IrDA port: any UART the description names other than 0 means the
// transceiver is wired to serial port 2.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/pxa_os_timer.h"
#include "hwsim/register_file.h"
#include "hwsim/sa11xx_blocks.h"
#include "hwsim/sa11xx_pin_controller.h"
#include "hwsim/sa11xx_uart.h"

namespace hwsim {

void build_sa11x0(device& d) {
  const device_description& desc = d.description();
  const bool wired = desc.ir_uart != 0;

  sa11xx_uart& uart = d.add_block<sa11xx_uart>(sa11xx::serial2_uart_page);
  d.add_block<register_file>(sa11xx::serial2_hssp_page);
  d.add_block<pxa_os_timer>(sa11xx::os_timer_page, sa11xx::timer_hz, desc.timer_start);
  d.add_block<pxa_interrupt_controller>(sa11xx::interrupt_page);
  d.add_block<sa11xx_pin_controller>(sa11xx::pin_controller_page, d.led(), d.receiver(), wired);
  d.set_timer_hz(sa11xx::timer_hz);
  if (!wired) return;
  d.set_ir_mode_switch([&uart](int, bool on) { uart.set_ir_mode(on); });
  if (desc.ir_mode_at_start) uart.set_ir_mode(true);
}

}  // namespace hwsim
