#include "manage/screen_choice.h"

namespace outworld {

std::int32_t ir_position_of_orientation(std::int32_t orientation_code) {
  switch (orientation_code) {
    case 1: return ir_position::left;
    case 2: return ir_position::bottom;
    case 4: return ir_position::right;
    default: return ir_position::top;
  }
}

std::int32_t opening_ir_position(std::int32_t stored, std::int32_t orientation_code) {
  if (stored >= ir_position::top && stored <= ir_position::right) return stored;
  return ir_position_of_orientation(orientation_code);
}

std::int32_t opening_screen_mode(std::int32_t stored, std::int32_t detected_screen_class) {
  return stored == -1 ? detected_screen_class : stored;
}

screen_resolution_t resolution_of_screen_mode(std::int32_t mode) {
  if (mode == 2) return screen_resolution_t::r240x240;
  if (mode >= 3 && mode <= 6) return screen_resolution_t::r480x640;
  return screen_resolution_t::r240x320;
}

std::int32_t screen_mode_of(screen_resolution_t resolution, std::int32_t ir_position) {
  const bool sideways = ir_position == ir_position::left || ir_position == ir_position::right;
  switch (resolution) {
    case screen_resolution_t::r240x240: return 2;
    case screen_resolution_t::r480x640: return sideways ? 4 : 3;
    case screen_resolution_t::r240x320: break;
  }
  return sideways ? 1 : 0;
}

}  // namespace outworld
