#include "remote/layer_colors.h"

namespace layer {

std::uint32_t background_color(std::int32_t profile) {
  const std::int64_t index = std::int64_t{profile} - 400;
  if (index < 0 || index >= static_cast<std::int64_t>(background_colors.size())) return skin_background_color;
  return background_colors[static_cast<std::size_t>(index)];
}

std::uint32_t face_color(std::int32_t profile, std::int32_t state) {
  const bool in_table = profile >= 0 && profile < static_cast<std::int32_t>(face_colors.size());
  const std::uint32_t color = face_colors[static_cast<std::size_t>(in_table ? profile : fallback_face_profile)];
  switch (state) {
    case 0: return (color & 0xFF00FFu) | 0x006400u;
    case 1: return face_colors[6];
    case 2: return (color & 0xFFFF00u) | 0x0000FAu;
    default: return color;
  }
}

std::uint32_t preview_color(std::int32_t profile) {
  if (profile < 0) return skin_background_color;
  const auto index = static_cast<std::size_t>(profile);
  if (index < background_colors.size()) return background_colors[index];
  if (index < background_colors.size() + face_colors.size()) return face_colors[index - background_colors.size()];
  return skin_background_color;
}

}  // namespace layer
