// The images of a skin library by profile: three "WRDL" tables (backgrounds, icons, button faces),
// each a run of 16-bit big-endian image resource ids, point from a profile above 1000 to a bitmap,
// PNG or GIF resource of the library. The library decodes each image once and keeps it while it is
// loaded, so drawing a page again costs no decoding.
#pragma once

#include <cstdint>

#include "platform/module.h"
#include "platform/pixel_surface.h"

namespace layer {

enum class skin_table_t : std::uint16_t { backgrounds = 1000, icons = 1001, faces = 1002 };

inline const platform::resource_name skin_table_type{"WRDL"};

// Table entries (counted from 0) of a background or icon profile and of a face profile in a state
// (0 to 3); -1 for a state outside 0 to 3, which has no image.
std::int64_t skin_entry(std::int32_t profile);
std::int64_t skin_face_entry(std::int32_t profile, std::int32_t state);

// The image id at an entry of a library's table: 0 when the library has no such table, the entry
// is 0 or lies past the table's end.
std::uint16_t skin_image_id(const platform::module& library, skin_table_t table, std::int64_t entry);

// The decoded image at an entry of the library's table; null without a library, without an id there
// or when the resource is missing or no image.
const platform::pixel_surface* skin_image(platform::module* library, skin_table_t table, std::int64_t entry);

}  // namespace layer
