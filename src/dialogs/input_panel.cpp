#include "dialogs/input_panel.h"

namespace dialogs {

namespace {
bool panel_shown = false;
}  // namespace

bool input_panel_shown() { return panel_shown; }
void set_input_panel_shown(bool shown) { panel_shown = shown; }

}  // namespace dialogs
