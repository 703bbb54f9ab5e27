#include "platform/message_box_icon.h"

#include <algorithm>
#include <string_view>

namespace platform {

namespace {

constexpr colorref red = rgb(204, 0, 0);
constexpr colorref yellow = rgb(255, 204, 0);
constexpr colorref blue = rgb(0, 85, 204);
constexpr colorref white = rgb(255, 255, 255);
constexpr colorref black = rgb(0, 0, 0);

// A shape given as the left and right inset of each row, filled row by row: exact at any size.
template <class Inset>
void fill_rows(dc& target, const rect& r, colorref colour, Inset inset) {
  const brush fill = brush::solid(colour);
  for (int y = 0; y < r.height(); ++y) {
    const int in = inset(y);
    if (in * 2 < r.width()) target.fill_rect({r.left + in, r.top + y, r.right - in, r.top + y + 1}, fill);
  }
}

void disc(dc& target, const rect& r, colorref colour) {
  const pen outline{pen_style_t::solid, 1, colour};
  const pen old_pen = target.select_pen(outline);
  const brush old_brush = target.select_brush(brush::solid(colour));
  target.round_rect(r, r.width(), r.height());
  target.select_pen(old_pen);
  target.select_brush(old_brush);
}

void octagon(dc& target, const rect& r, colorref colour) {
  const int n = r.height();
  const int corner = n * 29 / 100;
  fill_rows(target, r, colour, [&](int y) { return std::max({0, corner - y, y - (n - 1 - corner)}); });
}

// Point up, base at the bottom.
void triangle(dc& target, const rect& r, colorref colour) {
  const int n = r.height();
  fill_rows(target, r, colour, [&](int y) { return (r.width() / 2) * (n - 1 - y) / n; });
}

// One character centred in r (shifted down by `lower` pixels), bold, in the colour given.
void symbol(dc& target, rect r, std::wstring_view text, colorref colour, int lower) {
  const auto f = font::create({L"Tahoma", -(r.height() * 3 / 4), 700});
  const auto old_font = target.select_font(f);
  const colorref old_colour = target.set_text_color(colour);
  const background_mode_t old_mode = target.set_bk_mode(background_mode_t::transparent);
  r = r.offset(0, lower);
  target.draw_text(text, r, dt_center | dt_vcenter | dt_singleline | dt_noprefix);
  target.set_bk_mode(old_mode);
  target.set_text_color(old_colour);
  target.select_font(old_font);
}

void cross(dc& target, const rect& r, colorref colour) {
  const int n = r.width();
  const int in = n * 3 / 10;
  const int thickness = std::max(2, n / 10);
  // Each row gets one short run per stroke; the two strokes cross in the middle.
  const brush ink = brush::solid(colour);
  for (int y = in; y < n - in; ++y) {
    const int a = r.left + y;
    const int b = r.right - 1 - y;
    target.fill_rect({a - thickness / 2, r.top + y, a - thickness / 2 + thickness, r.top + y + 1}, ink);
    target.fill_rect({b - thickness / 2, r.top + y, b - thickness / 2 + thickness, r.top + y + 1}, ink);
  }
}

}  // namespace

void draw_message_box_icon(dc& target, const rect& r, message_box_icon_t icon) {
  const int n = r.height();
  switch (icon) {
    case message_box_icon_t::none:
      return;
    case message_box_icon_t::stop: {
      octagon(target, r, red);
      const int bar = std::max(2, n / 6);
      target.fill_rect({r.left + n / 5, r.top + (n - bar) / 2, r.right - n / 5, r.top + (n - bar) / 2 + bar},
                       brush::solid(white));
      return;
    }
    case message_box_icon_t::error:
      disc(target, r, red);
      cross(target, r, white);
      return;
    case message_box_icon_t::warning:
      triangle(target, r, yellow);
      symbol(target, r, L"!", black, n / 8);
      return;
    case message_box_icon_t::exclamation:
      disc(target, r, yellow);
      symbol(target, r, L"!", black, 0);
      return;
    case message_box_icon_t::information:
      disc(target, r, blue);
      symbol(target, r, L"i", white, 0);
      return;
    case message_box_icon_t::question:
      disc(target, r, blue);
      symbol(target, r, L"?", white, 0);
      return;
  }
}

}  // namespace platform
