#include "remote/layer.h"

#include <atomic>

#include "remote/layer_factory.h"
#include "remote/layer_gdi_renderer.h"
#include "remote/layer_gdi_surface.h"

namespace layer {

namespace {

std::atomic<int> current_screen_class{0};

}  // namespace

namespace detail {

factory& the_factory() {
  static concrete_factory<win32::gdi_renderer_impl, win32::gdi_surface_impl> instance;
  return instance;
}

}  // namespace detail

void set_screen_class(int screen_class) { current_screen_class = screen_class; }
int screen_class() { return current_screen_class; }

int pixel_scale() {
  const int c = current_screen_class;
  return c >= 3 && c <= 6 ? 2 : 1;
}

}  // namespace layer
