#include "remote/layer_gdi_renderer.h"

#include <string>
#include <string_view>

#include "base/text_conversion.h"
#include "platform/text_layout.h"
#include "remote/hatch_pattern.h"
#include "remote/layer_colors.h"
#include "remote/skin_images.h"
#include "remote/skin_libraries.h"

namespace layer::detail::win32 {

namespace {

constexpr int font0_cell_height = 12;
constexpr int font1_cell_height = 13;
constexpr int bold_weight = 700;
constexpr int missing_icon_side = 10;
constexpr platform::colorref transparent_key = 0xFF00FF;

std::shared_ptr<const platform::font> bold_font(int cell_height) {
  platform::font_description description = platform::system_font_description();
  description.height = cell_height * pixel_scale();
  description.weight = bold_weight;
  return platform::font::create(description);
}

platform::rect to_rect(const rectangle& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

unsigned format_of(std::int32_t align, platform::dc& context, std::wstring_view text, const rectangle& r) {
  using namespace platform;
  const unsigned one_line = dt_singleline | dt_vcenter | dt_noclip | dt_noprefix;
  switch (align) {
    case 0: return one_line | dt_center;
    case 1: return one_line | dt_left;
    case 2: return one_line | dt_right;
    case 3: return dt_left | dt_top | dt_wordbreak | dt_noprefix;
    case 4:
      // A title too long for its button shows its beginning rather than losing both ends.
      if (context.text_extent(text).cx > r.width) return dt_singleline | dt_left | dt_vcenter;
      return one_line | dt_center;
    default: return dt_left | dt_top;
  }
}

}  // namespace

gdi_renderer_impl::gdi_renderer_impl() : font0_(bold_font(font0_cell_height)), font1_(bold_font(font1_cell_height)) {}

void gdi_renderer_impl::draw_text(const rectangle& r, const char* text, std::size_t length, std::uint32_t color,
                                  std::int32_t font, std::int32_t align) {
  platform::dc* dc = context();
  if (dc == nullptr || text == nullptr || length == 0) return;
  const std::wstring wide = zq::code_page_to_wide(std::string_view(text, length));
  std::shared_ptr<const platform::font> chosen = font == 0 ? font0_ : font == 1 ? font1_ : nullptr;
  // Selecting null keeps the current font, and the one given back is put back in either case.
  const std::shared_ptr<const platform::font> previous = dc->select_font(std::move(chosen));
  dc->set_text_color(color);
  dc->set_bk_mode(platform::background_mode_t::transparent);
  platform::rect box = to_rect(r);
  dc->draw_text(wide, box, format_of(align, *dc, wide, r));
  dc->select_font(previous);
}

void gdi_renderer_impl::fill(const rectangle& r, std::uint32_t color) {
  platform::dc* dc = context();
  if (dc == nullptr || color > 0xFEFFFFFFu) return;
  // An opaque text output of no text paints the rectangle without making a brush.
  const platform::rect box = to_rect(r);
  const platform::colorref previous = dc->set_bk_color(color);
  dc->ext_text_out(box.left, box.top, platform::eto_opaque, &box, L"");
  dc->set_bk_color(previous);
}

void gdi_renderer_impl::draw_image(const platform::pixel_surface& image, std::int32_t x, std::int32_t y,
                                   std::int32_t divisor) {
  platform::dc* dc = context();
  if (dc == nullptr || divisor <= 0) return;
  const int width = image.width() * pixel_scale() / divisor;
  const int height = image.height() * pixel_scale() / divisor;
  dc->transparent_image(platform::rect::from_size({x, y}, {width, height}), image, image.bounds(), transparent_key);
}

void gdi_renderer_impl::draw_background(const rectangle& r, std::int32_t profile) {
  if (profile < 100) {
    fill(r, plain_background_color);
  } else if (profile < 400) {
    return;
  } else if (profile < 1000) {
    fill(r, background_color(profile));
  } else {
    fill(r, skin_background_color);
    if (profile == 1000) return;
    platform::module* skin = remote::skin_libraries::instance().current();
    if (const auto* image = skin_image(skin, skin_table_t::backgrounds, skin_entry(profile))) draw_image(*image, r.x, r.y, 1);
  }
}

void gdi_renderer_impl::draw_icon(const rectangle& r, std::int32_t profile) {
  if (profile <= 1000) return;
  platform::module* skin = remote::skin_libraries::instance().current();
  if (const auto* image = skin_image(skin, skin_table_t::icons, skin_entry(profile))) {
    const int width = image->width() * pixel_scale(), height = image->height() * pixel_scale();
    draw_image(*image, r.x + (r.width - width) / 2, r.y + (r.height - height) / 2, 1);
    return;
  }
  const int side = missing_icon_side * pixel_scale();
  fill({r.x + (r.width - side) / 2, r.y + (r.height - side) / 2, side, side}, missing_icon_color);
}

void gdi_renderer_impl::draw_button(const rectangle& r, std::int32_t profile, std::int32_t state) {
  if (profile < 1000) {
    fill(r, face_color(profile, state));
    return;
  }
  if (profile == 1000) return;  // the page's background shows through
  platform::module* skin = remote::skin_libraries::instance().current();
  if (const auto* image = skin_image(skin, skin_table_t::faces, skin_face_entry(profile, state))) {
    draw_image(*image, r.x, r.y, 1);
    return;
  }
  fill(r, face_color(fallback_face_profile, state));
}

void gdi_renderer_impl::focus_frame(const rectangle& r) {
  if (platform::dc* dc = context()) dc->draw_focus_rect(to_rect(r));
}

void gdi_renderer_impl::draw_scaled_background(const rectangle& r, std::int32_t divisor, std::int32_t profile) {
  if (profile < 1000) {
    fill(r, preview_color(profile));
    return;
  }
  if (profile == 1000 || divisor <= 0) return;
  platform::module* skin = remote::skin_libraries::instance().current();
  if (const auto* image = skin_image(skin, skin_table_t::backgrounds, skin_entry(profile))) {
    draw_image(*image, r.x, r.y, divisor);
    return;
  }
  fill({r.x, r.y, r.width / divisor, r.height / divisor}, skin_background_color);
}

void gdi_renderer_impl::hatch(const rectangle& r) {
  platform::dc* dc = context();
  if (dc == nullptr) return;
  const auto pattern = hatch_pattern(pixel_scale() == 2 ? hatch_bitmap_large_id : hatch_bitmap_id);
  if (!pattern) return;
  // Set bits of the pattern invert the destination, clear bits leave it: a second overlay undoes it.
  const platform::brush previous_brush = dc->select_brush(platform::brush::from_pattern(pattern));
  const platform::colorref previous_text = dc->set_text_color(platform::rgb(0, 0, 0));
  const platform::colorref previous_background = dc->set_bk_color(platform::rgb(255, 255, 255));
  dc->pat_blt(to_rect(r), platform::rop::patinvert);
  dc->set_bk_color(previous_background);
  dc->set_text_color(previous_text);
  dc->select_brush(previous_brush);
}

}  // namespace layer::detail::win32
