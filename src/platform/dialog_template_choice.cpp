#include "platform/dialog_template_choice.h"

namespace platform {

std::uint16_t pick_dialog_template(const dialog_template_ids& ids, size screen) {
  if (screen.cx > screen.cy) return ids.landscape;
  if (screen.cx == screen.cy) return ids.square;
  return ids.portrait;
}

}  // namespace platform
