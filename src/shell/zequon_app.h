// The program's application object: from start to exit. Starting checks the screen, loads the
// system and default skins, reads the settings, sets up the databases, creates the frame and runs
// the view's start (the first screen set-up, the IR port); any of them failing ends the program
// with a message saying why.
#pragma once

#include <string>

#include "shell/main_frame.h"

namespace shell {

class CZequonApp {
 public:
  // False when the program should end (the reason was shown).
  bool InitInstance();
  // The frame, while its window exists.
  CMainFrame* Frame() const;

 private:
  bool LoadSkins();

  platform::hwnd m_frameWindow = platform::no_window;
  CMainFrame* m_frame = nullptr;  // deletes itself with its window
};

}  // namespace shell
