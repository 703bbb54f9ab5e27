// The program's one top-level window: the menu bar along the bottom of the screen and the view
// above it. The frame keeps the view sized to it, brings the Preferences popup up to date as it
// opens, hides the bar while a modal dialog has the screen, closes on Exit (which ends the program)
// and drops a wake-up message while hidden.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/menu_bar.h"
#include "platform/window_cwnd.h"
#include "shell/child_view.h"

namespace shell {

class CMainFrame : public platform::CFrameWnd {
 public:
  // The view is made with the frame; settings must outlive both.
  CMainFrame(xman::settings& settings, int detected_screen_class);

  // Creates the window, the menu bar from the program's menu 128 and the view. False when any
  // of them could not be made; a window made by then is left for the caller to destroy.
  bool Create();

  CChildView& View() { return m_view; }
  platform::menu_bar& MenuBar() { return m_menuBar; }
  // Told the frame's window and whether it is the active one now, whenever that changes.
  void SetOnActivation(std::function<void(platform::hwnd, bool)> told) { m_onActivation = std::move(told); }

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;
  bool PreTranslateMessage(platform::msg& m) override;
  bool OnCmdMsg(std::uint32_t id) override;

 private:
  // The screen above the menu bar.
  platform::rect Placement() const;
  // Full-screen mode again where it was on (the shell shows its bars after a wake-up or a turn).
  void ReenterFullScreen();

  xman::settings& m_settings;
  CChildView m_view;
  platform::menu_bar m_menuBar;
  std::function<void(platform::hwnd, bool)> m_onActivation;
};

}  // namespace shell
