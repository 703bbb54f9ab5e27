#include "orientation/orientix.h"

#include "platform/display_settings.h"

namespace {

bool is_orientation_code(std::int32_t code) {
  return code == platform::display_orientation::angle_0 || code == platform::display_orientation::angle_90 ||
         code == platform::display_orientation::angle_180 || code == platform::display_orientation::angle_270;
}

// A request about the orientation alone, everything else left zero.
platform::display_mode orientation_request(std::int32_t code) {
  platform::display_mode mode{};
  mode.fields = platform::dm_display_orientation;
  mode.orientation = code;
  return mode;
}

}  // namespace

std::int32_t QueryOrientix() {
  platform::display_mode mode = orientation_request(platform::display_orientation::angle_0);
  if (platform::change_display_settings(mode, platform::display_request_t::test) !=
      platform::display_change::successful)
    return -1;
  return is_orientation_code(mode.orientation) ? mode.orientation : -1;
}

std::int32_t CanChangeOrientix() { return QueryOrientix() != -1 ? 1 : 0; }

std::int32_t ChangeOrientix(std::int32_t code) {
  if (code == -1) return 0;
  platform::display_mode mode =
      orientation_request(is_orientation_code(code) ? code : platform::display_orientation::angle_0);
  return platform::change_display_settings(mode, platform::display_request_t::apply) ==
                 platform::display_change::successful
             ? 1
             : 0;
}
