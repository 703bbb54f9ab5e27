#include "demo_frame.h"

#include <string_view>

#include "demo_assets.h"
#include "platform/font.h"
#include "platform/gdi_dc.h"
#include "platform/hardware_key_names.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "platform/text_layout.h"
#include "platform/window_paint.h"

namespace zqdemo {

using namespace platform;

namespace {

constexpr int band_height = 28;  // at 96 dpi; sizes double on high-resolution screens
constexpr colorref band_colour = rgb(24, 64, 120);
constexpr colorref page_colour = rgb(240, 242, 246);
constexpr colorref text_colour = rgb(32, 32, 40);
constexpr colorref key_colour = rgb(255, 0, 255);

std::wstring key_name(std::uint32_t virtual_key) {
  constexpr std::string_view names[] = {"Left", "Right", "Up", "Down", "Select", "40C1", "40C2", "40C3", "40C4"};
  for (const std::string_view name : names) {
    hardware_key key;
    if (hardware_key_by_name(name, key) && key.virtual_key == virtual_key) return {name.begin(), name.end()};
  }
  return L"other";
}

// 2 on high-resolution (192 dpi) screens, else 1.
int scale() { return screen_dpi() >= 192 ? 2 : 1; }

}  // namespace

CDemoFrame::CDemoFrame(module skin) : skin_(std::move(skin)) {
  if (skin_.image(picture_id, picture_) != 0) picture_ = nullptr;
  if (skin_.load_string(help_text_id, help_) != 0) help_.clear();
}

rect CDemoFrame::picture_rect() const {
  const rect client = GetClientRect();
  const int width = picture_->width() * scale();
  const int left = (client.width() - width) / 2;
  const int top = (band_height + 64) * scale();
  return {left, top, left + width, top + picture_->height() * scale()};
}

void CDemoFrame::paint() {
  paint_context paint = begin_paint(m_hWnd);
  dc& context = paint.hdc;
  const rect client = GetClientRect();
  const int s = scale();
  const int band = band_height * s;

  context.fill_rect(client, brush::solid(page_colour));
  context.fill_rect({0, 0, client.right, band}, brush::solid(band_colour));
  context.set_bk_mode(background_mode_t::transparent);

  const auto title_font = font::create({L"Tahoma", 18 * s, 700});
  const auto old_font = context.select_font(title_font);
  context.set_text_color(rgb(255, 255, 255));
  rect title{0, 0, client.right, band};
  context.draw_text(L"Zequon", title, dt_center | dt_vcenter | dt_singleline | dt_noprefix);

  context.select_font(font::create({L"Tahoma", 13 * s, 400}));
  context.set_text_color(text_colour);
  rect help{8 * s, band + 6 * s, client.right - 8 * s, band + 60 * s};
  context.draw_text(help_, help, dt_center | dt_wordbreak | dt_noprefix);

  const rect picture = picture_rect();
  context.transparent_image(picture, *picture_, picture_->bounds(), key_colour);

  rect status{0, picture.bottom + 12 * s, client.right, picture.bottom + 32 * s};
  context.draw_text(L"Taps: " + std::to_wstring(taps_) + L"   Key: " + last_key_, status,
                    dt_center | dt_singleline | dt_noprefix);
  context.select_font(old_font);
  end_paint(paint);
}

lresult_t CDemoFrame::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::paint:
      paint();
      return 0;
    case wm::erasebkgnd:
      return 1;  // the paint covers everything
    case wm::lbuttondown:
      if (picture_rect().contains(point_of(l))) {
        ++taps_;
        const std::vector<std::uint8_t> click = click_wave();
        play_wave(click_sound_id, click);
        Invalidate(false);
      }
      return 0;
    case wm::keydown:
      last_key_ = key_name(static_cast<std::uint32_t>(w));
      Invalidate(false);
      return 0;
    case wm::hotkey:
      last_key_ = key_name(hiword(static_cast<std::uintptr_t>(l)));
      Invalidate(false);
      return 0;
    default:
      return CFrameWnd::WindowProc(message, w, l);
  }
}

}  // namespace zqdemo
