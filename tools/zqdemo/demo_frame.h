// The demonstration's one window: a title band, a line of instructions, the picture of a remote
// control and a status line. Tapping the picture counts the tap and plays a click; a hardware
// key shows its name.
#pragma once

#include <string>

#include "platform/pixel_surface.h"
#include "platform/window_cwnd.h"

namespace zqdemo {

class CDemoFrame : public platform::CFrameWnd {
 public:
  explicit CDemoFrame(platform::pixel_surface picture) : picture_(std::move(picture)) {}

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;

 private:
  void paint();
  platform::rect picture_rect() const;

  platform::pixel_surface picture_;
  int taps_ = 0;
  std::wstring last_key_ = L"none";
};

}  // namespace zqdemo
