// Text and icon output of a device context.
#include <utility>

#include "platform/gdi_dc.h"

namespace platform {

namespace {

const std::shared_ptr<const font>& system_font() {
  static const std::shared_ptr<const font> system = font::create(system_font_description());
  return system;
}

}  // namespace

std::shared_ptr<const font> dc::select_font(std::shared_ptr<const font> f) {
  std::shared_ptr<const font> previous = font_ ? font_ : system_font();
  if (f) font_ = std::move(f);
  return previous;
}

const font* dc::current_font() const { return font_ ? font_.get() : system_font().get(); }

void dc::blend_pixel(int device_x, int device_y, std::uint32_t pixel, unsigned alpha) {
  if (alpha == 0 || !clip_contains(device_x, device_y)) return;
  const std::uint32_t below = target_->at(device_x, device_y);
  std::uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned top = (pixel >> shift) & 0xFFu, bottom = (below >> shift) & 0xFFu;
    out |= ((top * alpha + bottom * (255 - alpha) + 127) / 255) << shift;
  }
  target_->set(device_x, device_y, out);
}

void dc::draw_line_of_text(const text_line& line, const font& f) {
  const text_metrics& m = f.metrics();
  if (bk_mode_ == background_mode_t::opaque)
    fill_rect(rect::from_size(line.position, {line.width, m.height}), brush::solid(bk_color_));
  const std::uint32_t ink = pixel_of(text_color_);
  int pen_x = line.position.x + origin_.x;
  const int baseline = line.position.y + origin_.y + m.ascent;
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    const glyph& g = f.glyph_of(line.text[i]);
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x)
        blend_pixel(pen_x + g.left + x, baseline - g.top + y, ink, g.coverage[static_cast<std::size_t>(y) * g.width + x]);
    if (line.underlined[i])
      for (int x = 0; x < g.advance; ++x) blend_pixel(pen_x + x, baseline + 1, ink, 255);
    pen_x += g.advance;
  }
}

int dc::draw_text(std::wstring_view text, rect& r, unsigned format) {
  const font* f = current_font();
  if (!f) return 0;
  const text_layout layout = lay_out_text(text, r, format, *f);
  if (format & dt_calcrect) {
    r = layout.extent;
    return layout.extent.height();
  }
  if (!target_) return layout.extent.height();
  const region saved = clip_;
  if ((format & dt_noclip) == 0) intersect_clip(r);
  for (const text_line& line : layout.lines) draw_line_of_text(line, *f);
  clip_ = saved;
  return layout.extent.height();
}

size dc::text_extent(std::wstring_view text) const {
  const font* f = current_font();
  return f ? size{f->text_width(text), f->metrics().height} : size{};
}

text_metrics dc::get_text_metrics() const {
  const font* f = current_font();
  return f ? f->metrics() : text_metrics{};
}

void dc::ext_text_out(int x, int y, unsigned options, const rect* r, std::wstring_view text) {
  if (!target_) return;
  if (r && (options & eto_opaque)) fill_rect(*r, brush::solid(bk_color_));
  const font* f = current_font();
  if (text.empty() || !f) return;
  const region saved = clip_;
  if (r && (options & eto_clipped)) intersect_clip(*r);
  text_line line;
  line.text = text;
  line.underlined.assign(text.size(), false);
  line.position = {x, y};
  line.width = f->text_width(text);
  draw_line_of_text(line, *f);
  clip_ = saved;
}

void dc::draw_icon(const rect& destination, const icon& image) {
  if (!target_ || !image.valid() || destination.empty()) return;
  const rect device = destination.offset(origin_.x, origin_.y);
  const long long dw = destination.width(), dh = destination.height();
  for_each_visible(destination, [&](const rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      const int iy = static_cast<int>(((2LL * (y - device.top) + 1) * image.height) / (2 * dh));
      for (int x = part.left; x < part.right; ++x) {
        const int ix = static_cast<int>(((2LL * (x - device.left) + 1) * image.width) / (2 * dw));
        const std::size_t at = static_cast<std::size_t>(iy) * image.width + ix;
        const std::uint32_t p = image.pixels[at];
        if (image.has_alpha) blend_pixel(x, y, p & 0x00FFFFFFu, p >> 24);
        else if (image.mask[at]) target_->set(x, y, target_->at(x, y) ^ (p & 0x00FFFFFFu));
        else target_->set(x, y, p & 0x00FFFFFFu);
      }
    }
  });
}

}  // namespace platform
