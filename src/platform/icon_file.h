// Icon files (.ico) turned into the resources a library stores them as: one icon resource per
// image and the group resource that lists them.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace platform {

struct icon_file_resources {
  std::vector<std::uint8_t> group;                // the group resource (type 14)
  std::vector<std::vector<std::uint8_t>> images;  // images[i] is icon resource first_id + i (type 3)
};

// 0, or zq::rc::resource_damaged for a file that is no icon file, has no image, or whose images
// lie outside it, or whose ids would pass 65535.
[[nodiscard]] zq::result_t split_icon_file(std::span<const std::uint8_t> file, std::uint16_t first_id,
                                           icon_file_resources& out);

}  // namespace platform
