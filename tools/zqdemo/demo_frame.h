// The demonstration's one window: a title band, a line of instructions and the picture of a
// remote control (both from the skin), and a status line. Tapping the picture counts the tap and plays a click; a hardware
// key shows its name.
#pragma once

#include <string>

#include "platform/module.h"
#include "platform/pixel_surface.h"
#include "platform/window_cwnd.h"

namespace zqdemo {

class CDemoFrame : public platform::CFrameWnd {
 public:
  // The skin must hold the picture and the help text (see demo_assets.h); ready() tells.
  explicit CDemoFrame(platform::module skin);
  bool ready() const { return picture_ != nullptr && !help_.empty(); }

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;

 private:
  void paint();
  platform::rect picture_rect() const;

  platform::module skin_;
  const platform::pixel_surface* picture_ = nullptr;  // in the skin's image cache
  std::wstring help_;
  int taps_ = 0;
  std::wstring last_key_ = L"none";
};

}  // namespace zqdemo
