// The program's application object: from start to exit. Starting checks the screen, loads the
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
  // The frame, while its window exists.
  CMainFrame* Frame() const;

 private:
  bool LoadSkins();

  std::unique_ptr<wakeup_link> m_wakeup;
  platform::hwnd m_frameWindow = platform::no_window;
  CMainFrame* m_frame = nullptr;  // deletes itself with its window
};

}  // namespace shell
