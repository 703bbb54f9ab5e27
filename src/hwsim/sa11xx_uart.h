// The UART of SA-11x0 serial port 2 as the IR driver sees it: control register 0 (UTCR0, offset
// 0x00, the byte the driver changes around a transmission; every write to it is recorded with its
// time) and control register 4 (UTCR4, offset 0x10), whose bit 0 enables the infrared (HP-SIR)
// encoder: the port's infrared mode.
#pragma once

#include <cstdint>
#include <vector>

#include "hwsim/register_file.h"
#include "platform/clock.h"

namespace hwsim {

struct control_write {
  std::uint64_t time_ns = 0;
  std::uint32_t value = 0;

  bool operator==(const control_write&) const = default;
};

class sa11xx_uart final : public register_file {
 public:
  static constexpr std::uint32_t control0_offset = 0x00;
  static constexpr std::uint32_t control4_offset = 0x10;
  static constexpr std::uint32_t infrared_enable = 1u << 0;
  // 8 data bits, no parity, one stop bit.
  static constexpr std::uint32_t initial_control0 = 0x08;

  sa11xx_uart() { store(control0_offset, initial_control0); }

  void write32(std::uint32_t offset, std::uint32_t value) override {
    register_file::write32(offset, value);
    note(offset);
  }
  void write8(std::uint32_t offset, std::uint8_t value) override {
    register_file::write8(offset, value);
    note(offset);
  }

  void set_ir_mode(bool on) {
    const std::uint32_t control4 = stored(control4_offset);
    store(control4_offset, on ? control4 | infrared_enable : control4 & ~infrared_enable);
  }
  bool in_ir_mode() const { return (stored(control4_offset) & infrared_enable) != 0; }

  const std::vector<control_write>& control0_writes() const { return writes_; }

 private:
  void note(std::uint32_t offset) {
    if (offset / 4 == control0_offset / 4) writes_.push_back({platform::clock::now_ns(), stored(control0_offset)});
  }

  std::vector<control_write> writes_;
};

}  // namespace hwsim
