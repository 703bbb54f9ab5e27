// The Samsung S3C24xx blocks (see s3c_blocks.h), with the IrDA transceiver on the UART the device
// description names and the part running at the speed its reported clock stands for.
#include "hwsim/device.h"
#include "hwsim/families.h"
#include "hwsim/s3c_blocks.h"
#include "hwsim/s3c_clock_controller.h"
#include "hwsim/s3c_gpio.h"
#include "hwsim/s3c_interrupt_controller.h"
#include "hwsim/s3c_pwm_timers.h"
#include "hwsim/s3c_uart.h"

namespace hwsim {

void build_s3c24xx(device& d) {
  const device_description& desc = d.description();
  const int uart = desc.ir_uart >= 1 && desc.ir_uart <= 3 ? desc.ir_uart : 0;

  const auto& clock = d.add_block<s3c_clock_controller>(s3c::clock_page, s3c::fclk_hz_for(desc.clock_hz),
                                                        s3c::has_wide_hclk_divider(desc.processor_name));
  auto& timers = d.add_block<s3c_pwm_timers>(s3c::pwm_page, clock, [&d](std::uint64_t hz) { d.set_timer_hz(hz); });
  d.add_block<s3c_interrupt_controller>(s3c::interrupt_page, timers);
  d.add_block<s3c_gpio>(s3c::gpio_page, d, d.led(), d.receiver(), s3c::tx_pin[uart], s3c::rx_pin[uart]);
  s3c_uart* uarts[4] = {nullptr, &d.add_block<s3c_uart>(s3c::uart_pages[1]), &d.add_block<s3c_uart>(s3c::uart_pages[2]),
                        &d.add_block<s3c_uart>(s3c::uart_pages[3])};
  // Until the driver starts a timer: the rate timers 2-4 count at as the board is set up.
  d.set_timer_hz(timers.input_hz(2));
  d.set_ir_mode_switch([uarts](int which, bool on) {
    if (which >= 1 && which <= 3) uarts[which]->set_ir_mode(on);
  });
  if (uart != 0 && desc.ir_mode_at_start) uarts[uart]->set_ir_mode(true);
}

}  // namespace hwsim
