#include "remote/skin_images.h"

#include "base/byte_order.h"

namespace layer {

std::int64_t skin_entry(std::int32_t profile) { return std::int64_t{profile} - 1000 + 1; }

std::int64_t skin_face_entry(std::int32_t profile, std::int32_t state) {
  if (state < 0 || state > 3) return -1;
  return 4 * (std::int64_t{profile} - 1000) + state + 1;
}

std::uint16_t skin_image_id(const platform::module& library, skin_table_t table, std::int64_t entry) {
  if (entry <= 0) return 0;
  const platform::module_resource* found = library.find(skin_table_type, static_cast<std::uint16_t>(table));
  if (found == nullptr) return 0;
  const std::uint64_t offset = static_cast<std::uint64_t>(entry) * 2;
  if (offset + 2 > found->data.size()) return 0;
  return zq::load_be16(found->data.data() + offset);
}

const platform::pixel_surface* skin_image(platform::module* library, skin_table_t table, std::int64_t entry) {
  if (library == nullptr) return nullptr;
  const std::uint16_t id = skin_image_id(*library, table, entry);
  if (id == 0) return nullptr;
  const platform::pixel_surface* image = nullptr;
  if (library->image(id, image) != zq::rc::ok) return nullptr;
  return image;
}

}  // namespace layer
