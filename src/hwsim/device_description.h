// What a simulated handheld is: its processor as the kernel names it (which also selects the
// register blocks the device has), its clock, and how its IrDA transceiver is wired and started.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hwsim {

struct device_description {
  std::string core_name;        // "ARM920T", "Intel", "TI"; may be empty
  std::string processor_name;   // "S3C2440", "PXA255", "OMAP850", "SA1110"
  std::uint32_t clock_hz = 0;   // the clock speed the kernel reports (0 unknown)

  // The UART wired to the IrDA transceiver, numbered as its family's driver numbers them (PXA:
  // 1 FF, 2 BT, 3 ST; S3C: 1 UART0, 2 UART1, 3 UART2); 0 when no UART is wired. Its transmit pin
  // drives the LED, its receive pin reads the receiver.
  int ir_uart = 3;
  // Whether that UART is already in infrared mode when the device starts (else the IR serial port
  // puts it there when it is set to IR mode).
  bool ir_mode_at_start = true;
  // The serial port of the IrDA transceiver; setting it to IR mode switches ir_uart on, clearing
  // it switches it off. Empty: the device has none.
  std::wstring ir_port_name = L"COM3:";
  // Other serial ports that exist but do nothing for infrared.
  std::vector<std::wstring> other_ports;

  // The counter value of the family's free-running timer at virtual time 0 (to place a wrap).
  std::uint32_t timer_start = 0;

  // "Intel PXA255", "ARM920T S3C2440", "SA1110": split at the last blank, the core name before it.
  static device_description from_text(std::string_view processor_text, std::uint32_t clock_hz = 0);
  // Core name, one blank, processor name (as the platform reports it).
  std::string text() const { return core_name + " " + processor_name; }
};

}  // namespace hwsim
