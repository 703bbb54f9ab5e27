#include "platform/display_settings.h"

#include "platform/screen.h"

namespace platform {

namespace {

std::int32_t g_orientation = display_orientation::angle_0;

bool is_orientation(std::int32_t code) {
  return code == display_orientation::angle_0 || code == display_orientation::angle_90 ||
         code == display_orientation::angle_180 || code == display_orientation::angle_270;
}

bool is_sideways(std::int32_t code) {
  return code == display_orientation::angle_90 || code == display_orientation::angle_270;
}

}  // namespace

int change_display_settings(display_mode& mode, display_request_t request) {
  if ((mode.fields & dm_display_orientation) == 0) return display_change::bad_param;
  if (request == display_request_t::test) {
    mode.orientation = g_orientation;
    return display_change::successful;
  }
  if (!is_orientation(mode.orientation)) return display_change::bad_mode;
  if (mode.orientation == g_orientation) return display_change::successful;
  size extent = screen_size();
  if (is_sideways(mode.orientation) != is_sideways(g_orientation)) extent = {extent.cy, extent.cx};
  g_orientation = mode.orientation;
  reset_screen(extent);
  return display_change::successful;
}

std::int32_t display_orientation_now() { return g_orientation; }

void reset_display_orientation() { g_orientation = display_orientation::angle_0; }

}  // namespace platform
