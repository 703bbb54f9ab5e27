#include "hwsim/s3c_gpio.h"

#include "hwsim/device.h"
#include "platform/clock.h"

namespace hwsim {

s3c_gpio::s3c_gpio(const device& d, led_recorder& led, const ir_receiver& receiver, int led_pin, int receive_pin)
    : led_(led), receiver_(receiver), led_pin_(led_pin), receive_pin_(receive_pin), device_(d) {
  store(port_h_control, initial_port_h_control);
  update_led();
}

std::uint32_t s3c_gpio::read32(std::uint32_t offset) {
  if (offset != port_h_data) return register_file::read32(offset);
  std::uint32_t outputs = 0;
  for (int pin = 0; pin < 16; ++pin)
    if (pin_mode(pin) == output) outputs |= 1u << pin;
  std::uint32_t level = stored(port_h_data) & outputs;
  if (receive_pin_ >= 0 && pin_mode(receive_pin_) == input) {
    platform::clock::advance_by(pin_read_ns);
    const std::uint64_t now = platform::clock::now_ns();
    if (receiver_.level_at(now)) level |= 1u << receive_pin_;
    const std::uint64_t hz = device_.timer_hz();
    const std::uint64_t half_span_ns = hz == 0 ? quiet_read_ns : 0x8000ull * 1000000000u / hz;
    const std::uint64_t quiet_ns = half_span_ns < quiet_read_ns ? half_span_ns : quiet_read_ns;
    if (platform::clock::is_virtual() && receiver_.next_change(now) - now > quiet_ns) platform::clock::advance_by(quiet_ns);
  }
  return level;
}

void s3c_gpio::write32(std::uint32_t offset, std::uint32_t value) {
  register_file::write32(offset, value);
  if (offset == port_h_control || offset == port_h_data) update_led();
}

void s3c_gpio::update_led() {
  if (led_pin_ < 0) return;
  led_.set(pin_mode(led_pin_) == output && ((stored(port_h_data) >> led_pin_) & 1u) != 0);
}

}  // namespace hwsim
