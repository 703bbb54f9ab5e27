// The emulated handheld the program runs on: a device profile is a REGEDIT4 text (data/devices/)
// that becomes the platform registry's content and names, under HKEY_LOCAL_MACHINE\Device Profile,
// the screen, the processor and how the IrDA transceiver is wired. Besides it holds what the
// handheld's own registry holds for the program: the hardware keys (Software\Microsoft\Shell\Keys)
// and the active drivers with their serial ports (Drivers\Active).
//
//   ZEQUON_DEVICE=NAME    a shipped profile (compiled into the program), e.g. vga-portrait
//   ZEQUON_DEVICE=FILE    any other value is the path of a profile file
//   unset or empty        the default profile, qvga-portrait
//
// A value that is neither a shipped name nor a readable file is an error, not the default: a
// mistyped name must not quietly run another device.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/geometry.h"
#include "platform/processor_info.h"
#include "platform/registry_tree.h"

namespace platform {

struct device_profile {
  std::string name;  // the shipped name, or the file as given
  std::wstring description;
  size screen{240, 320};
  std::uint32_t dpi = 96;
  processor_info processor;
  std::string family;  // the simulated register blocks' family ("pxa25x", ...); empty for none
  // The UART wired to the IrDA transceiver, numbered as the family's driver numbers them (0 none),
  // whether it is in infrared mode from the start, and the serial port that switches it.
  int ir_uart = 0;
  bool ir_mode_at_start = false;
  std::wstring ir_port;
  // The serial ports among the active drivers ("COM1:", ...), in the registry's order.
  std::vector<std::wstring> serial_ports;
};

struct shipped_device_profile {
  std::string_view name;
  std::string_view text;
};

inline constexpr std::string_view default_device_profile_name = "qvga-portrait";

// Ordered by file name.
std::span<const shipped_device_profile> shipped_device_profiles();

// The profile a registry content describes; rc::device_profile_incomplete (with the problem) when
// the screen or the processor is missing or out of range.
[[nodiscard]] zq::result_t describe_device_profile(const registry_tree& content, device_profile& out,
                                                   std::string& problem);

// Loads the profile a ZEQUON_DEVICE value chooses (see above) into the registry and describes it.
// On failure the registry is unchanged and problem says why (rc::device_profile_unknown,
// rc::registry_text_malformed, rc::device_profile_incomplete).
[[nodiscard]] zq::result_t load_device_profile(std::string_view choice, device_profile& out, std::string& problem);
// The same with the process's ZEQUON_DEVICE.
[[nodiscard]] zq::result_t load_device_profile_of_process(device_profile& out, std::string& problem);

}  // namespace platform
