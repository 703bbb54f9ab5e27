// Which layout of a document suits the screen, and how its design pixels become screen pixels.
//
// A layout names its orientation ("wm-portrait", "wm-landscape", "wm-quad"/"quad") and its design
// width, the base (240 or 480). The screen class gives the wanted base and orientation. Layouts
// are offered in document order; a later one replaces the choice only when it is strictly better:
// the exact base beats one that divides evenly into the screen's, which beats any other base.
#pragma once

#include <cstdint>
#include <string_view>

namespace remote {

enum orientation_code : std::int32_t {
  orientation_landscape = 0,
  orientation_portrait = 1,
  orientation_quad = 2,
  orientation_unknown = 3,
};

struct screen_fit {
  std::int32_t target_base = -1;
  std::int32_t target_orientation = orientation_unknown;
  std::int32_t chosen_base = -1;
  std::int32_t chosen_orientation = orientation_unknown;
};

// The code of an orientation name (case-sensitive); anything unknown is 3.
std::int32_t orientation_of(std::string_view name);
// The name written for a code; empty for 3 and anything else.
std::string_view orientation_name(std::int32_t code);

// A fresh descriptor for a screen class 0..6; any other class leaves the targets unset, so that
// no layout is ever accepted.
screen_fit fit_for_screen_class(int screen_class);

// Whether the chosen layout is exactly the wanted one.
bool is_perfect(const screen_fit& fit);

// Offers a layout; on acceptance its base and orientation become the chosen ones and true is
// returned.
bool offer_layout(screen_fit& fit, std::int32_t base, std::string_view orientation);

// Design value -> screen value (v * target / chosen, truncating) and back. A chosen base that is
// unknown (-1 or 0) leaves values as they are.
std::int32_t scale_to_screen(const screen_fit& fit, std::int32_t v);
std::int32_t scale_to_design(const screen_fit& fit, std::int32_t v);

}  // namespace remote
