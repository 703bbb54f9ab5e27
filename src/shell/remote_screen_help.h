// The help page of the remote screen, shown by its "info" button.
#pragma once

#include <string>

namespace shell {

std::wstring remote_screen_help_title();
std::wstring remote_screen_help_body();

}  // namespace shell
