// LIRC devices offered as serial ports. /dev/lircN is the port "LIRCn:", n one character: 0-9,
// then A-Z for 10 to 35, so that every name has six characters and fits the stored port setting.
// The port list shows each as "LIRCn: Infrared (/dev/lircN)", which the port autodetection picks
// as an infrared port.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr unsigned max_lirc_port_number = 35;

// "LIRC0:" for 0; empty for a number no port name can hold.
std::wstring lirc_port_name(unsigned number);
// The device number of a port name ("lirc0:" as well), nothing for any other name.
std::optional<unsigned> lirc_port_number(std::wstring_view port_name);
// The device number of "/dev/lircN" or "lircN" (decimal), nothing for any other text.
std::optional<unsigned> lirc_device_number(std::string_view device);
// "/dev/lirc0" for 0.
std::string lirc_device_path(unsigned number);

// The port-list entries of the LIRC devices on offer that a port name can hold, in device order.
std::vector<std::wstring> lirc_port_entries();

}  // namespace platform
