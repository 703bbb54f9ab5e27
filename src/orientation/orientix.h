// Orientix: the display's rotation for a program that loads this library at run time, so that the
// program still starts where the library or the rotation service is missing. The library keeps no
// state; each export is one request to the display-settings service (platform/display_settings.h).
//
// Orientation codes: 0 none (portrait as built), 1 90 degrees, 2 180 degrees, 4 270 degrees,
// -1 unknown or not available.
#pragma once

#include <cstdint>

#define ORIENTIX_EXPORT __attribute__((visibility("default")))

extern "C" {

// The display's orientation code now, or -1 when the service cannot tell.
ORIENTIX_EXPORT std::int32_t QueryOrientix();
// 1 when QueryOrientix answers anything but -1, else 0.
ORIENTIX_EXPORT std::int32_t CanChangeOrientix();
// Turns the display to code (a code other than 0, 1, 2 and 4 is taken as 0); -1 is refused without
// asking the service. 1 when the display was switched, else 0.
ORIENTIX_EXPORT std::int32_t ChangeOrientix(std::int32_t code);

}

// The exports' types and names, for a program that finds them by name.
namespace orientix {
using query_fn = decltype(&QueryOrientix);
using can_change_fn = decltype(&CanChangeOrientix);
using change_fn = decltype(&ChangeOrientix);
inline constexpr char query_export[] = "QueryOrientix";
inline constexpr char can_change_export[] = "CanChangeOrientix";
inline constexpr char change_export[] = "ChangeOrientix";
}  // namespace orientix
