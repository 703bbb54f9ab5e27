// remote::button: one button of a service's page at run time. It keeps what changes while the
// program runs (rectangle, title, action, state) and where its element lies in the document; its
// look is read from there at every draw. What a tap does depends on its kind, set by the service
// that binds it, and on the callback that service gives it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "remote/button_fragment.h"
#include "remote/component.h"

namespace layer {
class renderer;
class surface;
}  // namespace layer

namespace remote {

class button : public mif::component {
 public:
  enum flag_t : std::uint32_t { visible = 1, interactive = 2, focus_frame = 4 };
  enum kind_t : std::int32_t { press_release = 0, release = 1, inactive = 2, tracking = 3, drag = 4 };
  enum state_t : std::int32_t { state_normal = 0, state_pressed = 1, state_not_active = 2 };
  enum class event_t : std::int32_t { down = 0, up = 1, click = 2, enter = 3, leave = 4 };
  // Feedback fired when the button acts: nothing, the key click, the learned beep.
  enum feedback_t : std::int32_t { feedback_none = 0, feedback_click = 1, feedback_beep = 2 };

  using callback_t = std::function<int(button& b, const std::string& action, event_t event)>;

  button() = default;
  ~button() override = default;
  button(const button&) = default;
  button& operator=(const button&) = default;

  // The operations after the destructor, in this order.
  virtual void draw(layer::renderer& r);
  // A tap at (x, y) inside the button; the surface is shown on the window through show after each
  // redraw. 1 when the tap was taken.
  virtual int input(std::int32_t x, std::int32_t y, layer::renderer& r, layer::surface& s, const std::function<void()>& show,
                    std::int32_t extra1, std::int32_t extra2);
  virtual void set_rect(const mif::rectangle& r) { rect_ = r; }

  std::uint32_t flags = visible | interactive;
  std::string action;
  std::string title;
  button_fragment fragment;
  std::int32_t feedback = feedback_click;
  callback_t callback;
  std::int32_t kind = release;
  std::int32_t state = state_normal;

  bool is_interactive() const { return (flags & interactive) != 0; }
  void set_interactive(bool on) { flags = on ? (flags | interactive) : (flags & ~interactive); }
  int call(event_t event);
};

}  // namespace remote
