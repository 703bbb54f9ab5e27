#include "platform/processor_info.h"

#include <sys/utsname.h>

#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/simulated_hardware.h"

namespace platform {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The host's answer: the machine name as the core, the first model line of /proc/cpuinfo as the
// processor, and its clock when the file gives one.
bool host_processor_info(processor_info& out) {
  processor_info info;
  utsname names{};
  if (uname(&names) == 0) info.core_name = names.machine;

  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    const auto colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::string_view key = trim(std::string_view(line).substr(0, colon));
    const std::string_view value = trim(std::string_view(line).substr(colon + 1));
    if (info.processor_name.empty() && (key == "model name" || key == "Hardware" || key == "cpu model"))
      info.processor_name = value;
    if (info.clock_hz == 0 && key == "cpu MHz") {
      const double mhz = std::strtod(std::string(value).c_str(), nullptr);
      if (mhz > 0 && mhz < 4294.0) info.clock_hz = static_cast<std::uint32_t>(mhz * 1e6);
    }
  }
  if (info.core_name.empty() && info.processor_name.empty()) return false;
  out = std::move(info);
  return true;
}

}  // namespace

bool query_processor_info(processor_info& out) {
  if (simulated_hardware* device = installed_simulated_hardware()) return device->processor(out);
  return host_processor_info(out);
}

std::string processor_text(const processor_info& info) { return info.core_name + " " + info.processor_name; }

}  // namespace platform
