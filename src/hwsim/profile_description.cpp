#include "hwsim/profile_description.h"

#include "hwsim/families.h"

namespace hwsim {

bool description_from_profile(const platform::device_profile& profile, device_description& out, std::string& problem) {
  device_description d;
  d.core_name = profile.processor.core_name;
  d.processor_name = profile.processor.processor_name;
  d.clock_hz = profile.processor.clock_hz;
  const family_entry* family = family_for(d.text());
  const std::string_view selected = family != nullptr ? family->name : std::string_view();
  if (selected != profile.family) {
    problem = "the processor " + d.text() + " selects the family \"" + std::string(selected) + "\", the profile names \"" +
              profile.family + "\"";
    return false;
  }
  d.ir_uart = profile.ir_uart;
  d.ir_mode_at_start = profile.ir_mode_at_start;
  d.ir_port_name = profile.ir_port;
  for (const std::wstring& port : profile.serial_ports)
    if (port != profile.ir_port) d.other_ports.push_back(port);
  out = std::move(d);
  return true;
}

}  // namespace hwsim
