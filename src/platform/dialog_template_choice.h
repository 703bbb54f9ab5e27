// Each dialog comes as three templates, one per screen shape; the screen's current shape picks
// the one a dialog opens with.
#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace platform {

struct dialog_template_ids {
  std::uint16_t portrait = 0;
  std::uint16_t landscape = 0;
  std::uint16_t square = 0;
};

// Wider than high: landscape; as wide as high: square; otherwise portrait.
std::uint16_t pick_dialog_template(const dialog_template_ids& ids, size screen);

}  // namespace platform
