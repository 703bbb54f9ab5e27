// What the kernel says about the processor: the core and processor names and the clock speed.
// On a simulated device the answer is the device's; otherwise the host's (on a desktop host no
// handheld family matches, which is what the IR engine expects there).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct processor_info {
  std::string core_name;       // e.g. "ARM920T", "Intel", "TI"
  std::string processor_name;  // e.g. "S3C2440", "PXA255", "OMAP850"
  std::uint32_t clock_hz = 0;  // 0 when unknown
};

// false when nothing can be learned about the processor.
[[nodiscard]] bool query_processor_info(processor_info& out);

// The text the IR engine matches: core name, one blank, processor name.
std::string processor_text(const processor_info& info);

}  // namespace platform
