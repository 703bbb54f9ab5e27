// The desktop window a backend shows the handheld's screen in, where there is one: a program that
// is asked to come to the front raises it too.
#pragma once

#include <functional>

namespace platform {

using desktop_raiser = std::function<void()>;
// Installed by a backend with a desktop window; empty: nothing to raise.
void set_desktop_raiser(desktop_raiser raiser);
void raise_desktop_window();

}  // namespace platform
