// The display-settings service: the display's orientation is queried and changed through one
// request record, as the handheld's display-settings call takes it. Turning the display makes the
// emulated screen the turned size and tells every top-level window (the settings-change message
// with the reset parameter); every caller turns the display here, the headless script's "rotate"
// included.
#pragma once

#include <cstdint>

namespace platform {

// The display's orientation codes.
namespace display_orientation {
inline constexpr std::int32_t angle_0 = 0;  // portrait as built
inline constexpr std::int32_t angle_90 = 1;
inline constexpr std::int32_t angle_180 = 2;
inline constexpr std::int32_t angle_270 = 4;
}  // namespace display_orientation

// The field bit saying that a request is about the orientation.
inline constexpr std::uint32_t dm_display_orientation = 0x00800000;

struct display_mode {
  std::uint32_t fields = 0;      // dm_display_orientation
  std::int32_t orientation = 0;  // a display_orientation code
};

enum class display_request_t {
  test,   // only asks: the current orientation is filled in
  apply,  // turns the display to the requested orientation
};

// The service's answers.
namespace display_change {
inline constexpr int successful = 0;
inline constexpr int bad_mode = -2;   // not an orientation code
inline constexpr int bad_param = -5;  // the request names no field this service knows
}  // namespace display_change

[[nodiscard]] int change_display_settings(display_mode& mode, display_request_t request);

// The orientation the display has now.
std::int32_t display_orientation_now();

// A backend starting with the screen as built: orientation 0, nothing resized or told.
void reset_display_orientation();

}  // namespace platform
