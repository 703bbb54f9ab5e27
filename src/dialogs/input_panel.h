// Whether the soft input panel (the on-screen keyboard) is up. The program's dialogs leave room for
// it at the bottom while it is; text-input dialogs raise it while one of their fields has the focus.
#pragma once

namespace dialogs {

bool input_panel_shown();
void set_input_panel_shown(bool shown);

}  // namespace dialogs
