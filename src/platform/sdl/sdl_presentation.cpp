#include "platform/sdl/sdl_presentation.h"

#include <algorithm>

namespace platform::sdl {

namespace {

int normal_degrees(int degrees) { return degrees == 90 || degrees == 180 || degrees == 270 ? degrees : 0; }

// Where screen pixel (x, y) lands in the turned image of a w x h screen.
point turned_point(int x, int y, int w, int h, int degrees) {
  switch (degrees) {
    case 90: return {h - 1 - y, x};
    case 180: return {w - 1 - x, h - 1 - y};
    case 270: return {y, w - 1 - x};
    default: return {x, y};
  }
}

}  // namespace

size turned_size(size screen, int degrees) {
  const int d = normal_degrees(degrees);
  return d == 90 || d == 270 ? size{screen.cy, screen.cx} : screen;
}

pixel_surface turned(const pixel_surface& screen, int degrees) {
  const int d = normal_degrees(degrees);
  const size out_size = turned_size({screen.width(), screen.height()}, d);
  pixel_surface out(out_size.cx, out_size.cy);
  for (int y = 0; y < screen.height(); ++y) {
    const std::uint32_t* source = screen.row(y);
    for (int x = 0; x < screen.width(); ++x) {
      const point p = turned_point(x, y, screen.width(), screen.height(), d);
      out.row(p.y)[p.x] = source[x];
    }
  }
  return out;
}

point screen_point_of(point window, size screen, int degrees, int zoom) {
  const int d = normal_degrees(degrees);
  const int z = std::max(zoom, 1);
  const size shown = turned_size(screen, d);
  const int u = std::clamp(window.x / z, 0, std::max(shown.cx - 1, 0));
  const int v = std::clamp(window.y / z, 0, std::max(shown.cy - 1, 0));
  // The inverse of turned_point.
  switch (d) {
    case 90: return {v, screen.cy - 1 - u};
    case 180: return {screen.cx - 1 - u, screen.cy - 1 - v};
    case 270: return {screen.cx - 1 - v, u};
    default: return {u, v};
  }
}

int zoom_to_fit(size screen, size desktop) {
  if (desktop.cx <= 0 || desktop.cy <= 0) return 2;
  const int longest = std::max(screen.cx, screen.cy);
  for (int zoom = 4; zoom > 1; --zoom) {
    // Either way up, so that turning the display never pushes the window off the desktop.
    if (longest * zoom <= desktop.cx && longest * zoom <= desktop.cy) return zoom;
  }
  return 1;
}

}  // namespace platform::sdl
