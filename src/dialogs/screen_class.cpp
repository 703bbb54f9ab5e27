#include "dialogs/screen_class.h"

#include "platform/screen.h"

namespace dialogs {

int screen_class_of(platform::size screen, int dpi) {
  const int w = screen.cx;
  const int h = screen.cy;
  if (w == 240 && (h == 320 || h == 400)) return 0;
  if (h == 240 && (w == 320 || w == 400)) return 1;
  if (w == 240 && h == 240) return 2;
  const bool tall = w == 480 && (h == 640 || h == 800);
  const bool wide = h == 480 && (w == 640 || w == 800);
  if (!tall && !wide) return screen_class_unsupported;
  if (dpi == 192) return tall ? 3 : 4;
  if (dpi == 96) return tall ? 5 : 6;
  return screen_class_unsupported;
}

int current_screen_class() { return screen_class_of(platform::screen_size(), platform::screen_dpi()); }

int pixel_scale_of(int screen_class) { return screen_class >= 3 && screen_class <= 6 ? 2 : 1; }

template_shape template_shape_of(int screen_class) {
  if (screen_class == 1 || screen_class == 4 || screen_class == 6) return template_shape::landscape;
  if (screen_class == 2) return template_shape::square;
  return template_shape::portrait;
}

}  // namespace dialogs
