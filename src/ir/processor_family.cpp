#include "ir/processor_family.h"

#include "platform/lirc_device.h"
#include "platform/processor_info.h"

namespace redeye {

namespace {

struct family_test {
  std::string_view needle;
  processor_family_t family;
};

constexpr family_test tests[] = {
    {"SA11", processor_family_t::sa11x0},      {"PXA250", processor_family_t::pxa250},
    {"PXA255", processor_family_t::pxa255},    {"PXA26", processor_family_t::pxa26x},
    {"PXA27", processor_family_t::pxa27x},     {"S3C2", processor_family_t::samsung_s3c},
    {"SC32", processor_family_t::samsung_s3c}, {"OMAP1510", processor_family_t::omap1510},
    {"ARM920", processor_family_t::omap1510},  {"OMAP850", processor_family_t::omap850},
};

}  // namespace

processor_family_t processor_family(std::string_view processor_text) {
  for (const family_test& test : tests)
    if (processor_text.find(test.needle) != std::string_view::npos) return test.family;
  return processor_family_t::none;
}

processor_family_t detect_processor_family() {
  platform::processor_info info;
  processor_family_t family = processor_family_t::none;
  if (platform::query_processor_info(info)) family = processor_family(platform::processor_text(info));
  if (family == processor_family_t::none && !platform::lirc_device_numbers().empty()) family = processor_family_t::lirc;
  return family;
}

}  // namespace redeye
