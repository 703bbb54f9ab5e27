// An S3C24xx UART as the IR driver sees it: the line-control register (ULCON, offset 0x00), whose
// bit 6 puts the UART into infrared mode. Every UART starts as a plain 8N1 serial port.
#pragma once

#include <cstdint>

#include "hwsim/register_file.h"

namespace hwsim {

class s3c_uart final : public register_file {
 public:
  static constexpr std::uint32_t line_control_offset = 0x00;
  static constexpr std::uint32_t infrared_mode = 1u << 6;
  static constexpr std::uint32_t plain_8n1 = 0x03;

  s3c_uart() { store(line_control_offset, plain_8n1); }

  void set_ir_mode(bool on) {
    const std::uint32_t value = stored(line_control_offset);
    store(line_control_offset, on ? value | infrared_mode : value & ~infrared_mode);
  }
  bool in_ir_mode() const { return (stored(line_control_offset) & infrared_mode) != 0; }
};

}  // namespace hwsim
