#include "platform/gdi_dc.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

namespace {

int positive_modulo(int value, int divisor) {
  const int m = value % divisor;
  return m < 0 ? m + divisor : m;
}

}  // namespace

dc::dc(pixel_surface& target, point origin, const region& clip)
    : target_(&target), is_memory_(false), origin_(origin), clip_(clip) {
  clip_.intersect(target.bounds());
}

bitmap dc::select_bitmap(bitmap b) {
  if (!is_memory_) return {};
  std::swap(selected_, b);
  target_ = selected_.pixels();
  reset_clip_to_target();
  return b;
}

pen dc::select_pen(const pen& p) { return std::exchange(pen_, p); }
brush dc::select_brush(const brush& b) { return std::exchange(brush_, b); }
colorref dc::set_text_color(colorref c) { return std::exchange(text_color_, c & 0x00FFFFFFu); }
colorref dc::set_bk_color(colorref c) { return std::exchange(bk_color_, c & 0x00FFFFFFu); }
background_mode_t dc::set_bk_mode(background_mode_t mode) { return std::exchange(bk_mode_, mode); }

void dc::reset_clip_to_target() {
  clip_ = target_ ? region(target_->bounds()) : region();
}

void dc::intersect_clip(const rect& r) { clip_.intersect(r.offset(origin_.x, origin_.y)); }

void dc::set_clip(const region& device_clip) {
  clip_ = device_clip;
  if (target_) clip_.intersect(target_->bounds());
  else clip_ = region();
}

bool dc::clip_contains(int device_x, int device_y) const { return clip_.contains({device_x, device_y}); }

colorref dc::get_pixel(int x, int y) const {
  const int dx = x + origin_.x, dy = y + origin_.y;
  if (!clip_contains(dx, dy)) return 0xFFFFFFFFu;
  return colorref_of(target_->at(dx, dy));
}

void dc::set_pixel(int x, int y, colorref c) {
  const int dx = x + origin_.x, dy = y + origin_.y;
  if (clip_contains(dx, dy)) target_->set(dx, dy, pixel_of(c));
}

std::uint32_t dc::pattern_pixel(int device_x, int device_y) const {
  switch (brush_.style) {
    case brush_style_t::solid:
      return pixel_of(brush_.color);
    case brush_style_t::pattern: {
      // The pattern repeats from the context's origin, so a window's pattern moves with it.
      const mono_bitmap& bits = *brush_.pattern;
      const int px = positive_modulo(device_x - origin_.x, bits.width());
      const int py = positive_modulo(device_y - origin_.y, bits.height());
      return pixel_of(bits.bit(px, py) ? bk_color_ : text_color_);
    }
    case brush_style_t::null:
      break;
  }
  return 0;
}

void dc::fill_rect(const rect& r, const brush& b) {
  if (b.style == brush_style_t::null) return;
  const brush saved = std::exchange(brush_, b);
  pat_blt(r, rop::patcopy);
  brush_ = saved;
}

void dc::pat_blt(const rect& r, std::uint32_t operation) {
  // A solid brush copied is a plain fill: the common case (backgrounds, faces) stays fast.
  const bool solid = brush_.style == brush_style_t::solid;
  const std::uint32_t solid_pixel = solid ? pixel_of(brush_.color) : 0;
  for_each_visible(r, [&](const rect& part) {
    for (int y = part.top; y < part.bottom; ++y) {
      std::uint32_t* row = target_->row(y);
      if (solid && operation == rop::patcopy) {
        std::fill(row + part.left, row + part.right, solid_pixel);
        continue;
      }
      for (int x = part.left; x < part.right; ++x)
        row[x] = apply_rop(operation, solid ? solid_pixel : pattern_pixel(x, y), 0, row[x]);
    }
  });
}

bool dc::bit_blt(int x, int y, int w, int h, const dc& source, int sx, int sy, std::uint32_t operation) {
  if (!source.target_) return false;
  return bit_blt(x, y, w, h, *source.target_, sx + source.origin_.x, sy + source.origin_.y, operation);
}

bool dc::bit_blt(int x, int y, int w, int h, const pixel_surface& source, int sx, int sy, std::uint32_t operation) {
  return copy_scaled(rect::from_size({x, y}, {w, h}), source, rect::from_size({sx, sy}, {w, h}), operation, nullptr);
}

bool dc::stretch_blt(const rect& destination, const dc& source, const rect& from, std::uint32_t operation) {
  if (!source.target_) return false;
  return copy_scaled(destination, *source.target_, from.offset(source.origin_.x, source.origin_.y), operation, nullptr);
}

bool dc::stretch_blt(const rect& destination, const pixel_surface& source, const rect& from, std::uint32_t operation) {
  return copy_scaled(destination, source, from, operation, nullptr);
}

bool dc::transparent_image(const rect& destination, const dc& source, const rect& from, colorref key) {
  if (!source.target_) return false;
  return transparent_image(destination, *source.target_, from.offset(source.origin_.x, source.origin_.y), key);
}

bool dc::transparent_image(const rect& destination, const pixel_surface& source, const rect& from, colorref key) {
  const std::uint32_t key_pixel = pixel_of(key);
  return copy_scaled(destination, source, from, rop::srccopy, &key_pixel);
}

bool dc::copy_scaled(const rect& destination, const pixel_surface& source, const rect& from, std::uint32_t operation,
                     const std::uint32_t* key_pixel) {
  if (source.width() == 0 || from.empty() || destination.empty()) return false;
  if (!target_) return true;
  // Copying within one surface (scrolling) reads from a snapshot so that overlapping parts are
  // taken before they are overwritten.
  pixel_surface snapshot;
  const pixel_surface* from_pixels = &source;
  if (&source == target_) {
    snapshot = source;
    from_pixels = &snapshot;
  }
  const rect device = destination.offset(origin_.x, origin_.y);
  const long long dw = destination.width(), dh = destination.height();
  const long long sw = from.width(), sh = from.height();
  std::vector<int> source_columns;
  for_each_visible(destination, [&](const rect& part) {
    // Nearest source pixel to the destination pixel's centre; exact 1:1 when the sizes agree.
    // The columns are the same for every row: worked out once.
    source_columns.resize(static_cast<std::size_t>(part.right - part.left));
    for (int x = part.left; x < part.right; ++x)
      source_columns[static_cast<std::size_t>(x - part.left)] =
          from.left + static_cast<int>(((2LL * (x - device.left) + 1) * sw) / (2 * dw));
    for (int y = part.top; y < part.bottom; ++y) {
      const int src_y = from.top + static_cast<int>(((2LL * (y - device.top) + 1) * sh) / (2 * dh));
      if (src_y < 0 || src_y >= from_pixels->height()) continue;
      const std::uint32_t* src_row = from_pixels->row(src_y);
      std::uint32_t* row = target_->row(y);
      for (int x = part.left; x < part.right; ++x) {
        const int src_x = source_columns[static_cast<std::size_t>(x - part.left)];
        if (src_x < 0 || src_x >= from_pixels->width()) continue;
        const std::uint32_t s = src_row[src_x] & 0x00FFFFFFu;
        if (key_pixel && s == *key_pixel) continue;
        row[x] = operation == rop::srccopy ? s : apply_rop(operation, pattern_pixel(x, y), s, row[x]);
      }
    }
  });
  return true;
}

}  // namespace platform
