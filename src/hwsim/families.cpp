#include "hwsim/families.h"

namespace hwsim {

namespace {

constexpr family_entry families[] = {
    {"sa11x0", {"SA11", "", ""}, build_sa11x0},
    {"pxa25x", {"PXA250", "PXA255", "PXA26"}, build_pxa25x},
    {"pxa27x", {"PXA27", "", ""}, build_pxa27x},
    {"s3c24xx", {"S3C2", "SC32", ""}, build_s3c24xx},
    {"omap1510", {"OMAP1510", "ARM920", ""}, build_omap1510},
    {"omap850", {"OMAP850", "", ""}, build_omap850},
};

}  // namespace

const family_entry* family_for(std::string_view processor_text) {
  for (const family_entry& family : families)
    for (const std::string_view needle : family.needles)
      if (!needle.empty() && processor_text.find(needle) != std::string_view::npos) return &family;
  return nullptr;
}

}  // namespace hwsim
