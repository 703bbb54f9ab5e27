// Window classes: a name, the procedure every window of the class starts with, and the colour its
// background is erased with. Registered once per program; windows are created by class name.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/pixel_surface.h"
#include "platform/window_messages.h"

namespace platform {

using window_proc = std::function<lresult_t(hwnd, std::uint32_t message, wparam_t, lparam_t)>;

struct window_class {
  std::wstring name;
  window_proc proc;
  std::optional<colorref> background;  // none: erasing leaves the pixels as they are
};

// False when a class of that name exists already.
bool register_class(window_class cls);
bool unregister_class(const std::wstring& name);
const window_class* find_class(const std::wstring& name);

}  // namespace platform
