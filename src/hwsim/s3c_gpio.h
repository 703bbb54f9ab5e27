// The S3C24xx GPIO controller as the IR driver uses it: port H, whose pins 2-7 are the transmit
// and receive pins of UART0-2. The control register GPHCON (0x70) gives two bits per pin (0 input,
// 1 output, 2 the UART function, 3 another function); the data register GPHDAT (0x74) holds the
// output latch. The other ports' registers only keep their values.
//
// Wiring: the LED follows the transceiver's transmit pin while that pin is an output; while the
// UART owns it the idle UART keeps the LED off. The transceiver's receive pin reads the receiver
// while it is an input; a read of the data register then costs pin_read_ns of virtual time (a
// sample of the receiver), otherwise nothing, so that the read-modify-write of the LED bit does
// not move an edge off its timer tick.
//
// While the receiver stays steady, a sample moves time on by quiet_read_ns as the other families'
// pins do, but never by more than half the span of the 16-bit timer pacing the driver: a driver
// that reads the timer after every sample can still tell how far it went.
#pragma once

#include <cstdint>

#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "hwsim/register_file.h"

namespace hwsim {

class device;

class s3c_gpio final : public register_file {
 public:
  static constexpr std::uint32_t port_h_control = 0x70;
  static constexpr std::uint32_t port_h_data = 0x74;
  // The simulated board at start: nCTS0, nRTS0 and the three UARTs' pins on their UART function.
  static constexpr std::uint32_t initial_port_h_control = 0x0000AAAA;

  static constexpr unsigned input = 0;
  static constexpr unsigned output = 1;
  static constexpr unsigned uart_function = 2;

  // led_pin / receive_pin: port H pin numbers, -1 when not wired. The device tells the rate of the
  // timer pacing the driver at each sample.
  s3c_gpio(const device& d, led_recorder& led, const ir_receiver& receiver, int led_pin, int receive_pin);

  std::uint32_t read32(std::uint32_t offset) override;
  void write32(std::uint32_t offset, std::uint32_t value) override;

  unsigned pin_mode(int pin) const { return (stored(port_h_control) >> (2 * pin)) & 3u; }
  std::uint32_t latch() const { return stored(port_h_data); }

 private:
  void update_led();

  led_recorder& led_;
  const ir_receiver& receiver_;
  int led_pin_;
  int receive_pin_;
  const device& device_;
};

}  // namespace hwsim
