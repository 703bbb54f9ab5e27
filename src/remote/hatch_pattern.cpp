#include "remote/hatch_pattern.h"

#include <map>
#include <mutex>

#include "platform/module_program.h"

namespace layer {

std::shared_ptr<const platform::mono_bitmap> hatch_pattern(std::uint16_t bitmap_id) {
  static std::mutex guard;
  static std::map<std::uint16_t, std::shared_ptr<const platform::mono_bitmap>> patterns;
  const std::lock_guard lock(guard);
  if (const auto made = patterns.find(bitmap_id); made != patterns.end()) return made->second;
  std::shared_ptr<const platform::mono_bitmap> pattern;
  const platform::pixel_surface* image = nullptr;
  if (platform::program_module().image(bitmap_id, image) == zq::rc::ok && image != nullptr) {
    pattern = std::make_shared<const platform::mono_bitmap>(platform::mono_bitmap::from_surface(*image));
  }
  patterns.emplace(bitmap_id, pattern);
  return pattern;
}

}  // namespace layer
