// Arbitrary bytes as an icon image, an icon group and an icon file, so that a read outside them
// shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/icon_file.h"
#include "platform/icon_resource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  platform::icon image;
  if (platform::decode_icon(bytes, image) == zq::rc::ok && !image.valid()) __builtin_trap();
  std::vector<platform::icon_group_entry> entries;
  (void)platform::parse_icon_group(bytes, entries);
  (void)platform::best_icon_entry(entries, 16);
  platform::icon_file_resources split;
  if (platform::split_icon_file(bytes, 1, split) == zq::rc::ok) {
    for (const std::vector<std::uint8_t>& one : split.images) (void)platform::decode_icon(one, image);
  }
  return 0;
}
