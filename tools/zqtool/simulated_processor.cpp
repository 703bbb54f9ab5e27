#include "simulated_processor.h"

#include <cctype>
#include <string>

#include "hwsim/families.h"

namespace zqtool {

namespace {

struct known_processor {
  std::string_view core_name;
  std::string_view processor_name;
  std::uint32_t clock_hz;
};

// What the kernels of typical handhelds report for each processor.
constexpr known_processor known_processors[] = {
    {"StrongARM", "SA1110", 206400000},
    {"Intel", "PXA250", 400000000},
    {"Intel", "PXA255", 400000000},
    {"Intel", "PXA270", 520000000},
    {"ARM920T", "S3C2410", 266000000},
    {"ARM920T", "S3C2440", 399651840},
    {"ARM925T", "OMAP1510", 168000000},
    {"ARM926EJ-S", "OMAP850", 200000000},
};

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

const known_processor* known(std::string_view processor_name) {
  const std::string wanted = upper(processor_name);
  for (const known_processor& p : known_processors)
    if (p.processor_name == wanted) return &p;
  return nullptr;
}

}  // namespace

std::optional<hwsim::device_description> simulated_processor(std::string_view text) {
  hwsim::device_description description;
  if (text.find(' ') == std::string_view::npos) {
    const known_processor* p = known(text);
    if (p == nullptr) return std::nullopt;
    description = hwsim::device_description::from_text(std::string(p->core_name) + " " + std::string(p->processor_name),
                                                       p->clock_hz);
  } else {
    description = hwsim::device_description::from_text(text);
    if (const known_processor* p = known(description.processor_name)) description.clock_hz = p->clock_hz;
  }
  if (hwsim::family_for(description.text()) == nullptr) return std::nullopt;
  return description;
}

}  // namespace zqtool
