// Push buttons: a rounded box with its text centred, pressed by the stylus (lifted over it) or by
// the button-click message, which sends the parent the clicked command. The default button (the
// one the dialog's Select key presses) has the thicker edge; the focus shows as a dotted frame.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline const std::wstring push_button_class_name = L"Button";

namespace bs {
inline constexpr std::uint32_t defpushbutton = 0x0001;  // "default" in a dialog template
}  // namespace bs

void register_push_button_class();

}  // namespace platform
