// A device context: where and how drawing lands. A window's context draws onto a surface it does
// not own (the screen) with the window's top-left as its origin and the window's visible region as
// its clip; a memory context draws into the bitmap selected into it. Coordinates given to a
// context are logical: relative to its origin. Nothing is ever drawn outside the clip.
#pragma once

#include <cstdint>

#include <memory>
#include <string_view>

#include "platform/font.h"
#include "platform/gdi_bitmap.h"
#include "platform/gdi_icon.h"
#include "platform/gdi_objects.h"
#include "platform/geometry.h"
#include "platform/pixel_surface.h"
#include "platform/region.h"
#include "platform/text_layout.h"

namespace platform {

// Options of ext_text_out.
inline constexpr unsigned eto_opaque = 0x0002;   // fill the rectangle with the background colour
inline constexpr unsigned eto_clipped = 0x0004;  // keep the text inside the rectangle

class dc {
 public:
  // A memory context compatible with the screen; it has no pixels until a bitmap is selected.
  dc() = default;
  // A window's context: logical (0, 0) is `origin` on target; clip is in target coordinates.
  dc(pixel_surface& target, point origin, const region& clip);

  // Selecting an object returns the one it replaces, so that the caller can put it back.
  // Only a memory context takes a bitmap (a window's context returns the null bitmap).
  bitmap select_bitmap(bitmap b);
  // The system font is current at first. A null font keeps the current one.
  std::shared_ptr<const font> select_font(std::shared_ptr<const font> f);
  pen select_pen(const pen& p);
  brush select_brush(const brush& b);
  colorref set_text_color(colorref c);
  colorref set_bk_color(colorref c);
  background_mode_t set_bk_mode(background_mode_t mode);
  colorref text_color() const { return text_color_; }
  colorref bk_color() const { return bk_color_; }
  background_mode_t bk_mode() const { return bk_mode_; }
  const pen& current_pen() const { return pen_; }
  const brush& current_brush() const { return brush_; }

  // The pixels drawn on (null for a memory context without a bitmap), the origin on them and the
  // clip in their coordinates.
  pixel_surface* target() const { return target_; }
  point origin() const { return origin_; }
  const region& clip() const { return clip_; }
  // Narrows the clip to a logical rectangle.
  void intersect_clip(const rect& r);
  void set_clip(const region& device_clip);

  // A pixel outside the clip reads as 0xFFFFFFFF (no colour) and is not written.
  colorref get_pixel(int x, int y) const;
  void set_pixel(int x, int y, colorref c);
  void fill_rect(const rect& r, const brush& b);
  // The selected brush combined with the destination by a raster operation.
  void pat_blt(const rect& r, std::uint32_t rop);

  // Block copy of w x h pixels from (sx, sy) of the source to (x, y), combined by a raster
  // operation that may use the selected brush. Source pixels outside the source's pixels are not
  // copied. False when the source has no pixels.
  bool bit_blt(int x, int y, int w, int h, const dc& source, int sx, int sy, std::uint32_t rop);
  bool bit_blt(int x, int y, int w, int h, const pixel_surface& source, int sx, int sy, std::uint32_t rop);
  // Copies the source rectangle onto the destination rectangle, scaled by nearest pixel.
  bool stretch_blt(const rect& destination, const dc& source, const rect& from, std::uint32_t rop);
  bool stretch_blt(const rect& destination, const pixel_surface& source, const rect& from, std::uint32_t rop);
  // As stretch_blt with source copy, leaving destination pixels where the source is the key colour.
  bool transparent_image(const rect& destination, const dc& source, const rect& from, colorref key);
  bool transparent_image(const rect& destination, const pixel_surface& source, const rect& from, colorref key);

  // Lines with the selected pen; the end point itself is not drawn.
  void move_to(int x, int y) { position_ = {x, y}; }
  void line_to(int x, int y);
  // A rectangle or one with rounded corners of the given ellipse size: outlined with the pen,
  // filled with the brush. The right and bottom edges are outside, as everywhere.
  void rectangle(const rect& r) { round_rect(r, 0, 0); }
  void round_rect(const rect& r, int ellipse_width, int ellipse_height);
  // The focus frame: every other pixel of the rectangle's edge inverted; drawn twice, it is gone.
  void draw_focus_rect(const rect& r);

  // Text in the selected font and text colour; in opaque background mode each line's cell is
  // filled with the background colour first. Unless dt_noclip is given the text stays inside r.
  // With dt_calcrect nothing is drawn and r becomes the rectangle the text needs. Returns the
  // height of the text.
  int draw_text(std::wstring_view text, rect& r, unsigned format);
  size text_extent(std::wstring_view text) const;
  text_metrics get_text_metrics() const;
  // One line of text with its top-left at (x, y); with eto_opaque the rectangle is first filled
  // with the background colour, with eto_clipped the text stays inside it. r may be null.
  void ext_text_out(int x, int y, unsigned options, const rect* r, std::wstring_view text);

  // An icon scaled to the destination rectangle.
  void draw_icon(const rect& destination, const icon& image);

 private:
  void reset_clip_to_target();
  // Calls f(device_rect) for each part of the logical rectangle inside the clip.
  template <class F>
  void for_each_visible(const rect& logical, F&& f) const;
  bool clip_contains(int device_x, int device_y) const;
  std::uint32_t pattern_pixel(int device_x, int device_y) const;
  const font* current_font() const;
  void draw_line_of_text(const text_line& line, const font& f);
  void blend_pixel(int device_x, int device_y, std::uint32_t pixel, unsigned alpha);
  bool copy_scaled(const rect& destination, const pixel_surface& source, const rect& from, std::uint32_t rop,
                   const std::uint32_t* key_pixel);

  pixel_surface* target_ = nullptr;
  bitmap selected_;  // keeps a memory context's pixels alive
  bool is_memory_ = true;
  point origin_;
  region clip_;
  point position_;
  std::shared_ptr<const font> font_;  // null: the system font
  pen pen_;
  brush brush_;
  colorref text_color_ = 0;
  colorref bk_color_ = rgb(255, 255, 255);
  background_mode_t bk_mode_ = background_mode_t::opaque;
};

template <class F>
void dc::for_each_visible(const rect& logical, F&& f) const {
  const rect device = logical.offset(origin_.x, origin_.y);
  for (const rect& part : clip_.rects()) {
    const rect visible = device.intersect(part);
    if (!visible.empty()) f(visible);
  }
}

}  // namespace platform
