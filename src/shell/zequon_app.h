// The program's application object: from start to exit. Made, it loads the Orientix client and
// ties the program to the wake-up program. Starting checks the screen, loads the
// system and default skins, reads the settings, sets up the databases, creates the frame and runs
// the view's start (the first screen set-up, the IR port); any of them failing ends the program
// with a message saying why.
#pragma once

#include <memory>
#include <string>

#include "shell/main_frame.h"
#include "shell/wakeup_link.h"

namespace shell {

class CZequonApp {
 public:
  // Ties the program to the wake-up program: the shared block, its registration, the system port.
  CZequonApp();
  ~CZequonApp();

  // False when the program should end (the reason was shown).
  bool InitInstance();
  // After the message loop: the display turned back as it was before the program turned it.
  void ExitInstance();
  // The frame, while its window exists.
  CMainFrame* Frame() const;

 private:
  bool LoadSkins();
  // A window of the program became active or stopped being active.
  void OnActivation(platform::hwnd window, bool active);

  std::unique_ptr<wakeup_link> m_wakeup;
  platform::hwnd m_frameWindow = platform::no_window;
  CMainFrame* m_frame = nullptr;  // deletes itself with its window
};

}  // namespace shell
