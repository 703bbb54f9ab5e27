// zqdemo: a window with text and a picture from a skin library, on the desktop or headless, to see the platform
// layer at work. The backend is chosen as the program's is (ZEQUON_BACKEND, ZEQUON_SCRIPT, the
// display); a headless run takes ZEQUON_SCRIPT, ZEQUON_TRANSCRIPT and ZEQUON_CLOCK. ZEQUON_DEVICE
// chooses the emulated handheld: its screen, and the simulated hardware installed for it.
#include <cstdio>
#include <string>

#include "demo_assets.h"
#include "demo_frame.h"
#include "host/emulated_handheld.h"
#include "platform/message_loop.h"

int main() {
  using namespace platform;
  host::emulated_handheld handheld;
  if (!handheld.start("zqdemo", "Zequon demo")) return 2;

  module skin;
  if (const zq::result_t rc = zqdemo::load_skin(skin); rc != 0) {
    std::fprintf(stderr, "zqdemo: cannot read zq-demo-skin.dll (error %d)\n", static_cast<int>(rc));
    return 2;
  }
  auto* frame = new zqdemo::CDemoFrame(std::move(skin));  // deletes itself with its window
  if (!frame->ready()) {
    std::fprintf(stderr, "zqdemo: zq-demo-skin.dll lacks the picture %u or the text %u\n",
                 unsigned{zqdemo::picture_id}, unsigned{zqdemo::help_text_id});
    delete frame;
    return 2;
  }
  if (!frame->Create(L"", L"Zequon demo")) {
    std::fprintf(stderr, "zqdemo: cannot create the window\n");
    return 2;
  }
  const hwnd frame_window = frame->GetSafeHwnd();
  const int exit_code = run_message_loop();
  // A script's end quits the loop with the frame still open: destroying it deletes the frame.
  if (is_window(frame_window)) destroy_window(frame_window);
  return handheld.finish(exit_code);
}
