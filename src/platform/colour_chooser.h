// The colour chooser: a modal box in front of its owner offering 48 basic colours, the 16 custom
// colours of a table the caller keeps, a sample of the colour chosen so far, "Add to Custom"
// (which puts that colour into the custom table) and OK and Cancel. The owner's top-level window
// is disabled while a nested message loop runs. The stylus picks a colour; the pad moves through
// the colours (basic rows, then custom rows); Select or Enter is OK, Escape is Cancel.
#pragma once

#include <array>

#include "platform/pixel_surface.h"
#include "platform/window_handle.h"

namespace platform {

using custom_colours = std::array<colorref, 16>;

// The table kept for the program's run, all white at first.
custom_colours& run_custom_colours();

// Starts at `colour`; on OK stores the chosen colour there and returns true. Colours added to
// the custom table stay in it whichever way the box ends; the quit message ends it as Cancel
// (and stays posted).
bool choose_colour(hwnd owner, colorref& colour, custom_colours& custom);

}  // namespace platform
