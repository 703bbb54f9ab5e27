#include "hwsim/pxa_blocks.h"

#include "hwsim/device.h"
#include "hwsim/pxa_gpio.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/pxa_os_timer.h"
#include "hwsim/pxa_uart.h"

namespace hwsim {

void build_pxa_blocks(device& d, std::uint32_t timer_hz) {
  const device_description& desc = d.description();
  const int uart = desc.ir_uart >= 1 && desc.ir_uart <= 3 ? desc.ir_uart : 0;

  d.add_block<pxa_os_timer>(pxa::os_timer_page, timer_hz, desc.timer_start);
  d.add_block<pxa_gpio>(pxa::gpio_page, d.led(), d.receiver(), pxa::tx_gpio[uart], pxa::rx_gpio[uart]);
  d.add_block<pxa_interrupt_controller>(pxa::interrupt_page);
  pxa_uart* uarts[4] = {nullptr, &d.add_block<pxa_uart>(pxa::ff_uart_page), &d.add_block<pxa_uart>(pxa::bt_uart_page),
                        &d.add_block<pxa_uart>(pxa::st_uart_page)};
  d.set_timer_hz(timer_hz);
  d.set_ir_mode_switch([uarts](int which, bool on) {
    if (which >= 1 && which <= 3) uarts[which]->set_ir_mode(on);
  });
  if (uart != 0 && desc.ir_mode_at_start) uarts[uart]->set_ir_mode(true);
}

}  // namespace hwsim
