// A simulated handheld: the register blocks of its processor family at their physical page
// addresses, the IR LED recorder and receiver, and the serial port of its IrDA transceiver. Once
// installed it is the platform's hardware: processor information, register pages and serial
// ports come from it, and the IR drivers run against it unchanged.
//
// Family blocks are built from the processor text (see families.h); a family adds its blocks with
// add_block, tells the device the rate of the timer that paces the LED, and registers how a UART
// is switched into and out of infrared mode.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "hwsim/device_description.h"
#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "platform/simulated_hardware.h"

namespace hwsim {

class device final : public platform::simulated_hardware {
 public:
  // Builds the blocks of the family the processor text selects (none when no family matches).
  explicit device(device_description description);
  ~device() override;
  device(const device&) = delete;
  device& operator=(const device&) = delete;

  // Makes this device the platform's hardware; the destructor uninstalls it.
  void install();
  void uninstall();

  const device_description& description() const { return description_; }
  // The family whose blocks were built ("pxa25x", ...), empty when none.
  const std::string& family() const { return family_; }

  // Building: places a block at a 4 KB-aligned physical page address (replacing any there).
  template <class Block, class... Args>
  Block& add_block(std::uint32_t page_address, Args&&... args) {
    auto block = std::make_unique<Block>(std::forward<Args>(args)...);
    Block& ref = *block;
    blocks_[page_address] = std::move(block);
    return ref;
  }
  // The block at a page as its own type, or null.
  template <class Block>
  Block* block(std::uint32_t page_address) {
    const auto found = blocks_.find(page_address);
    return found == blocks_.end() ? nullptr : dynamic_cast<Block*>(found->second.get());
  }

  // The rate of the timer that paces the LED, in hertz (reported with the raw edges).
  void set_timer_hz(std::uint64_t hz) { timer_hz_ = hz; }
  std::uint64_t timer_hz() const { return timer_hz_; }

  led_recorder& led() { return led_; }
  ir_receiver& receiver() { return receiver_; }

  // How the family switches a UART (numbered as in the description) into or out of infrared mode.
  void set_ir_mode_switch(std::function<void(int uart, bool on)> change) { ir_mode_switch_ = std::move(change); }
  void set_uart_ir_mode(int uart, bool on) {
    if (ir_mode_switch_ && uart != 0) ir_mode_switch_(uart, on);
  }

  // platform::simulated_hardware
  bool processor(platform::processor_info& out) override;
  platform::register_block* register_block_at(std::uint32_t page_address) override;
  bool serial_port_exists(std::wstring_view name) override;
  void serial_ir_mode(std::wstring_view name, bool on) override;

 private:
  device_description description_;
  std::string family_;
  std::map<std::uint32_t, std::unique_ptr<platform::register_block>> blocks_;
  std::uint64_t timer_hz_ = 0;
  led_recorder led_;
  ir_receiver receiver_;
  std::function<void(int, bool)> ir_mode_switch_;
  bool installed_ = false;
};

}  // namespace hwsim
