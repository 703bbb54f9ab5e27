#include "platform/views_look.h"

#include <algorithm>

#include "platform/gdi_sys_color.h"
#include "platform/screen.h"

namespace platform {

views_look views_look::current() {
  views_look look;
  const int s = screen_scale();
  look.scale = s;
  look.text_font = font::create({L"Tahoma", -11 * s, 400});
  look.bold_font = font::create({L"Tahoma", -11 * s, 700});
  const int text_height = look.text_font ? look.text_font->metrics().height : 13 * s;
  look.icon_size = 16 * s;
  look.pad = 2 * s;
  look.row_height = std::max(look.icon_size, text_height) + 2 * look.pad;
  look.header_height = text_height + 3 * look.pad;
  look.scroll_width = 13 * s;
  return look;
}

void draw_views_frame(dc& d, const rect& r) {
  const pen old_pen = d.select_pen({pen_style_t::solid, 1, get_sys_color(sys_color::window_frame)});
  const brush old_brush = d.select_brush(brush::hollow());
  d.rectangle(r);
  d.select_pen(old_pen);
  d.select_brush(old_brush);
}

}  // namespace platform
