// The help button of the program's dialogs: the dialog's control 1026 taken over and drawn as a
// round button with a question mark. Its click reaches the dialog as the usual command, which
// opens the dialog's help.
#pragma once

#include "platform/window_cwnd.h"

inline constexpr std::uint32_t help_button_id = 1026;

class CHelpButton : public platform::CWnd {
 public:
  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;
};
