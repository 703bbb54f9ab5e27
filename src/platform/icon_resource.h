// Icons as resource libraries hold them: a group resource (type 14) lists the sizes and colour
// depths of one icon, each image being an icon resource (type 3) of its own — a device-independent
// bitmap of twice the icon's height (colour rows, then the transparency mask) or a PNG file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"
#include "platform/gdi_icon.h"
#include "platform/module.h"
#include "platform/resource_name.h"

namespace platform {

// Icons larger than this are refused: the format's own limit.
inline constexpr int max_icon_side = 256;

struct icon_group_entry {
  int width = 0;
  int height = 0;
  int bit_count = 0;
  std::uint32_t size = 0;     // bytes of the image
  std::uint16_t icon_id = 0;  // the icon resource holding the image
};

// The entries of a group resource: 0 or zq::rc::resource_damaged.
[[nodiscard]] zq::result_t parse_icon_group(std::span<const std::uint8_t> bytes, std::vector<icon_group_entry>& out);

// The entry that draws best at side pixels: that width with the most colours, else the smallest
// larger one, else the largest. Null for an empty group.
const icon_group_entry* best_icon_entry(const std::vector<icon_group_entry>& entries, int side);

// One image: 0, zq::rc::resource_damaged, or zq::rc::resource_too_large beyond max_icon_side.
// A 32-bit image whose alpha bytes are all zero is drawn with its mask instead.
[[nodiscard]] zq::result_t decode_icon(std::span<const std::uint8_t> bytes, icon& out);

// The icon of group group_id in the module that draws best at side pixels: 0,
// zq::rc::resource_not_found (no such group, or an image it names is missing), or the decoder's code.
[[nodiscard]] zq::result_t load_icon(const module& library, const resource_name& group_id, int side, icon& out);

}  // namespace platform
