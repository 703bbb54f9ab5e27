// The Preferences popup as it opens: Flip Screen only where the display can be turned, the Use
// Sounds check mark, and after Load the recently used preferences (at most five, each "&" doubled
// so that the name shows as it is).
#pragma once

#include <string>
#include <vector>

#include "platform/menu.h"

namespace shell {

// Whether this popup is the Preferences popup: its first item is Flip Screen or IR Setup.
bool is_preferences_popup(const platform::menu& popup);

// Brings the popup up to date; recent holds the names in the settings' 8-bit text, most recent first.
void prepare_preferences_popup(platform::menu& popup, bool can_turn_display, bool use_sounds,
                               const std::vector<std::string>& recent);

}  // namespace shell
