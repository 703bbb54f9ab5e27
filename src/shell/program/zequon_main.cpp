// Zequon: the universal remote control. It runs on the handheld ZEQUON_DEVICE describes (a
// shipped profile by default), in a desktop window when a display is there, else headless (see
// README: ZEQUON_BACKEND, ZEQUON_SCRIPT, ZEQUON_TRANSCRIPT, ZEQUON_CLOCK). Its data lie beside the
// program: the settings, the databases and the Skins folder. One runs at a time.
#include "host/emulated_handheld.h"
#include "platform/message_loop.h"
#include "platform/program_folder.h"
#include "platform/window_focus.h"
#include "platform/window.h"
#include "shell/single_instance.h"
#include "shell/zequon_app.h"

int main() {
  // A second start brings the running program forward and ends: 0 when it came, 1 when it did not.
  shell::single_instance instance;
  if (!instance.claim(platform::program_file())) return instance.ask_running_one_forward() ? 0 : 1;

  host::emulated_handheld handheld;
  if (!handheld.start("Zequon", "Zequon")) return 2;
  shell::CZequonApp app;
  if (!app.InitInstance()) return handheld.finish(1);
  instance.serve_requests([&app] {
    const platform::hwnd active = platform::active_window();
    if (active != platform::no_window || app.Frame() == nullptr) return active;
    return app.Frame()->GetSafeHwnd();
  });
  const int exit_code = platform::run_message_loop();
  app.ExitInstance();
  // A script's end quits the loop with the frame still open: destroying it deletes the frame.
  if (shell::CMainFrame* frame = app.Frame()) frame->DestroyWindow();
  return handheld.finish(exit_code);
}
