#include "platform/screen.h"

#include <algorithm>

#include "platform/window.h"
#include "platform/window_records.h"

namespace platform {

namespace {

struct screen_state {
  colorref desktop = rgb(0, 0, 0);
  int dpi = 96;
  pixel_surface surface{240, 320, pixel_of(rgb(0, 0, 0))};
};

screen_state& state() {
  static screen_state screen;
  return screen;
}

}  // namespace

pixel_surface& screen_surface() { return state().surface; }

size screen_size() { return {state().surface.width(), state().surface.height()}; }

void set_screen_size(size extent) {
  state().surface = pixel_surface(extent.cx, extent.cy, pixel_of(state().desktop));
  detail::expose(region(state().surface.bounds()));
}

void reset_screen(size extent) {
  set_screen_size(extent);
  broadcast_setting_change(settingchange_reset, 0);
}

int screen_dpi() { return state().dpi; }

void set_screen_dpi(int dpi) { state().dpi = dpi; }

int screen_scale() {
  const size extent = screen_size();
  return screen_dpi() >= 192 || std::min(extent.cx, extent.cy) >= 480 ? 2 : 1;
}

colorref desktop_colour() { return state().desktop; }

void set_desktop_colour(colorref colour) { state().desktop = colour; }

}  // namespace platform
