// The serial ports of the handheld as the IR port setup lists them: one entry text per port,
// its device name (beginning with "COM" and ending with ":"), one blank, and the friendly name of
// its driver (possibly empty), e.g. "COM3: Infrared Port".
#pragma once

#include <string>
#include <vector>

namespace redeye {

// The registered serial ports, in the order of the active-driver keys (Drivers\Active under the
// local machine; no such key gives no entries). Each subkey whose "Name" begins with "COM" is a
// port; its "Key" names the driver's key, whose "FriendlyName" (or, when it has none, the one of
// its first subkey) follows the name.
//
// On Linux the LIRC devices the IR engine can drive come after them, one entry each, named the
// way platform/lirc_port_name.h names them: /dev/lircN is "LIRCn:" (n one character, 0-9 then
// A-Z) with the friendly name "Infrared (/dev/lircN)", e.g. "LIRC0: Infrared (/dev/lirc0)".
std::vector<std::wstring> enumerate_serial_ports();

}  // namespace redeye
