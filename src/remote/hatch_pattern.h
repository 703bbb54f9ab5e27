// The pattern of the hatch overlay that marks buttons which cannot be used: a bitmap resource of
// the program, small on the ordinary screens and doubled on the high-resolution ones, made into a
// one-bit pattern once and kept for the program's life.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi_objects.h"

namespace layer {

inline constexpr std::uint16_t hatch_bitmap_id = 330;
inline constexpr std::uint16_t hatch_bitmap_large_id = 331;

// The pattern of that program bitmap; null when the program lacks it or it is no image.
std::shared_ptr<const platform::mono_bitmap> hatch_pattern(std::uint16_t bitmap_id);

}  // namespace layer
