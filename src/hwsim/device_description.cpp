#include "hwsim/device_description.h"

namespace hwsim {

device_description device_description::from_text(std::string_view processor_text, std::uint32_t clock_hz) {
  device_description d;
  const auto blank = processor_text.rfind(' ');
  if (blank == std::string_view::npos) {
    d.processor_name = processor_text;
  } else {
    d.core_name = processor_text.substr(0, blank);
    d.processor_name = processor_text.substr(blank + 1);
  }
  d.clock_hz = clock_hz;
  return d;
}

}  // namespace hwsim
