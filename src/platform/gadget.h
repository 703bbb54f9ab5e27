// A gadget: a child window of the class gadget_class_name hosting a surface its owner draws (the
// remote screen, its editor, the button previews). The window keeps a pointer to the gadget in
// its user data; painting calls draw with the paint context; a stylus touch captures the stylus,
// calls tap with the position and a context drawing on the window, and releases the capture when
// the gadget still holds it. Other messages get the default handling.
#pragma once

#include <cstdint>
#include <string>

#include "platform/gdi_dc.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"
#include "platform/window_messages.h"
#include "platform/window_paint.h"

namespace platform {

inline const std::wstring gadget_class_name = L"ZQX::gadget_window_class";

class gadget {
 public:
  gadget() = default;
  gadget(const gadget&) = delete;
  gadget& operator=(const gadget&) = delete;

  // Creates the window, visible, with the text "gadget": over the placeholder control's rectangle
  // (the placeholder itself is left as it is), or at a position in the parent's coordinates.
  // The class is registered on first use. False when the window could not be made or one exists.
  bool create_over(hwnd placeholder, std::uint32_t id = 0);
  bool create(hwnd parent, const rect& position, std::uint32_t id = 0);
  hwnd window() const { return window_; }

  // The operations, in this order.
  // Destroys the window.
  virtual void destroy();
  // Paints the area of the context's paint rectangle.
  virtual void draw(paint_context& paint) = 0;
  // Moves and resizes the window (parent coordinates) and repaints it.
  virtual void move_resize(const rect& position);
  // The stylus touched the window at p (client coordinates); d draws on the window.
  virtual void tap(point p, dc& d);

  // Destroys the window if it still exists.
  virtual ~gadget();

 private:
  static lresult_t proc(hwnd h, std::uint32_t message, wparam_t w, lparam_t l);
  hwnd window_ = no_window;
};

}  // namespace platform
