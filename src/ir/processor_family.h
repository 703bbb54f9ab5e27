// Which driver family serves the processor the program runs on, decided from the text the
// platform reports (core name, one blank, processor name) by substring tests in a fixed order:
// the first test that matches wins.
#pragma once

#include <string_view>

namespace redeye {

enum class processor_family_t : int {
  none = 0,
  sa11x0 = 1,       // "SA11"
  pxa250 = 2,       // "PXA250"
  pxa255 = 3,       // "PXA255"
  pxa26x = 4,       // "PXA26"
  pxa27x = 5,       // "PXA27"
  samsung_s3c = 6,  // "S3C2" or "SC32"
  omap1510 = 7,     // "OMAP1510" or "ARM920"
  omap850 = 8,      // "OMAP850"
  lirc = 9,         // no handheld family matches and the host has a LIRC device (/dev/lircN)
};

processor_family_t processor_family(std::string_view processor_text);

// Asks the platform; none when it cannot tell. When no handheld family matches (or the platform
// cannot tell) and the platform offers a LIRC device, the LIRC family.
processor_family_t detect_processor_family();

}  // namespace redeye
