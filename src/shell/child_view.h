// The frame's one child: a white surface that will hold the program's full-screen forms, and the
// commands behind the menu bar that run the program's dialogs (About, Flip Screen, IR Setup, Use
// Sounds, the recently used preferences). Every dialog runs modally over the view; afterwards the
// view gets the screen back.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/window_cwnd.h"
#include "shell/remote_control_form.h"

namespace xman {
class settings;
}

namespace shell {

class CChildView : public platform::CWnd {
 public:
  // settings must outlive the view. detected_screen_class: the class the screen was found to be.
  CChildView(xman::settings& settings, int detected_screen_class);
  // The remote screen writes its state into the profile as it goes.
  ~CChildView() override;

  bool Create(platform::CWnd& frame);

  // The start once the frame exists: where the display can be turned, the screen set-up when no
  // choice was made yet and the display turned to the choice; then the IR port (the stored one, or
  // the IR port setup when none is stored). False when the program should end (the first screen
  // set-up could not be shown).
  bool StartUp();

  bool OnCmdMsg(std::uint32_t id) override;
  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;
  // The remote screen, once StartUp made it.
  CRemoteControlForm* RemoteForm() const { return m_remoteForm.get(); }
  // The screen class the remote screen is laid out for.
  int LayoutScreenClass() const { return m_layoutScreenClass; }

 private:
  void OnFlipScreen();
  void OnIrSetup();
  void OnRecentPreferences(std::uint32_t id);
  // After every dialog the display is turned to the program's choice again.
  void AfterDialog();
  // The remote screen lets the screen go for a dialog, and takes it back afterwards.
  void Park();
  void ShowRemoteForm();

  xman::settings& m_settings;
  int m_detectedScreenClass;
  int m_layoutScreenClass;
  std::unique_ptr<CRemoteControlForm> m_remoteForm;
};

}  // namespace shell
