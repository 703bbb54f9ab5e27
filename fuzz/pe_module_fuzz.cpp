// Loads arbitrary bytes as a resource library and uses every resource: its bytes, the strings of
// string blocks, images, icons and wave sounds, so that a read outside the image shows up under
// AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/icon_resource.h"
#include "platform/module.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::module library;
  if (library.load_image(std::vector<std::uint8_t>(data, data + size)) != zq::rc::ok) return 0;
  volatile std::uint8_t sum = 0;
  for (const platform::module_resource& r : library.resources()) {
    for (const std::uint8_t byte : r.data) sum = static_cast<std::uint8_t>(sum + byte);
  }
  const std::vector<platform::module_resource> resources = library.resources();
  for (const platform::module_resource& r : resources) {
    if (!r.id.is_number()) continue;
    if (r.type == platform::resource_name(platform::rt::string) && r.id.number() > 0) {
      for (unsigned i = 0; i < 16; ++i) {
        std::wstring text;
        (void)library.load_string(static_cast<std::uint16_t>((r.id.number() - 1) * 16 + i), text);
      }
    }
    const platform::pixel_surface* image = nullptr;
    if (library.image(r.id, image) == zq::rc::ok) sum = static_cast<std::uint8_t>(sum + image->at(0, 0));
    std::span<const std::uint8_t> sound;
    (void)library.wave(r.id, sound);
    platform::icon icon;
    if (r.type == platform::resource_name(platform::rt::group_icon)) (void)platform::load_icon(library, r.id, 16, icon);
  }
  (void)sum;
  return 0;
}
