// The desktop backend: one window showing the handheld's screen at a whole-number zoom, turned as
// the display is turned. The mouse is the stylus, the keyboard the hardware keys (sdl_keys.h),
// wave sounds play on the desktop's audio, and time is real. The clipboard is the desktop's,
// documents the shell opens are shown by the desktop's opener (xdg-open), the wake-up programs run
// as host programs, and a desktop that suspends (SDL's app-foreground event) wakes the handheld.
//
// The backend is the message queue's idle source: whenever the program's loop (or a nested one)
// has handled everything, painting included, the window shows the screen as it now is and the
// desktop's events are read (waiting a few milliseconds at most, so posts from other threads
// are seen promptly). Closing the window posts the quit message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/geometry.h"
#include "platform/pixel_surface.h"
#include "platform/sdl/sdl_audio.h"

namespace platform::sdl {

// Whether SDL's video system starts here (the backend choice asks before choosing sdl).
bool video_starts();

class backend {
 public:
  backend();
  ~backend();
  backend(const backend&) = delete;
  backend& operator=(const backend&) = delete;

  // Sets the screen size and the real clock, opens the window (zoom 0: the largest that fits the
  // desktop) and becomes the idle source. False with the reason in error.
  bool start(size screen, const std::string& title, std::string& error, int zoom = 0);
  void stop();

  // The display's rotation as shown: 0, 90, 180 or 270 degrees clockwise.
  void set_rotation(int degrees);
  int zoom() const { return zoom_; }

  // Shows the screen when it changed since it was last shown (or the window needs it).
  void present();
  // What the window shows now, read back from it (empty without a window).
  pixel_surface shown_image() const;
  // Turns waiting desktop events into input, waiting up to wait_ms for the first. True when
  // something was delivered.
  bool pump_events(std::uint32_t wait_ms);

  audio_output& audio() { return audio_; }

 private:
  struct window_state;
  bool handle_event(const void* event);

  std::unique_ptr<window_state> window_;
  audio_output audio_;
  int zoom_ = 1;
  int degrees_ = 0;
  bool stylus_down_ = false;
};

}  // namespace platform::sdl
