#include "remote/button.h"

#include <utility>

#include "platform/message_queue.h"
#include "platform/window_focus.h"
#include "platform/window_messages.h"
#include "remote/button_feedback.h"
#include "remote/button_record.h"
#include "remote/layer.h"
#include "remote/service_loader.h"

namespace remote {

namespace {

std::function<void(std::int32_t)>& feedback_hook() {
  static std::function<void(std::int32_t)> hook;
  return hook;
}

// One message of the stylus while a button tracks it: where it is and whether it was lifted.
struct stylus_step {
  platform::point at;
  bool lifted = false;
};

// Waits for the next stylus message of the thread. A quit met meanwhile ends the tracking as a lift
// and is posted again for the outer loop.
stylus_step next_stylus_step() {
  platform::msg m;
  for (;;) {
    if (!platform::get_message(m, platform::no_window, platform::wm::mousefirst, platform::wm::mouselast)) {
      platform::post_quit_message(static_cast<int>(m.wparam));
      return {{-1, -1}, true};
    }
    if (m.message == platform::wm::mousemove) return {platform::point_of(m.lparam), false};
    if (m.message == platform::wm::lbuttonup) return {platform::point_of(m.lparam), true};
  }
}

void end_tracking() {
  if (platform::capture_window() != platform::no_window) platform::release_capture();
}

// Follows the stylus until it is lifted, telling crossed(inside) each time it crosses the
// rectangle's edge (a lift away from where the last move left it counts as a crossing first).
// Whether it was lifted inside.
bool track_stylus(const mif::rectangle& area, const std::function<void(bool inside)>& crossed) {
  bool inside = true;
  for (;;) {
    const stylus_step step = next_stylus_step();
    const bool now_inside = area.contains(step.at.x, step.at.y);
    if (now_inside != inside) {
      inside = now_inside;
      crossed(inside);
    }
    if (step.lifted) {
      end_tracking();
      return inside;
    }
  }
}

}  // namespace

void set_button_feedback(std::function<void(std::int32_t)> hook) { feedback_hook() = std::move(hook); }

void fire_button_feedback(std::int32_t which) {
  if (which != button::feedback_none && feedback_hook()) feedback_hook()(which);
}

int button::call(event_t event) {
  if (!callback) return 0;
  // The callback may replace this button's callback (a page reload); keep it alive for the call.
  auto keep = callback;
  return keep(*this, action, event);
}

void button::draw(layer::renderer& r) {
  if ((flags & visible) == 0) return;
  button_record look;
  if (!fragment.empty() && read_button_fragment(fragment, look) != 0) look = button_record{};
  const mif::rectangle& at = rect_;
  r->draw_button(at, look.profile, state);
  const std::int32_t shift = state == state_pressed ? 1 : 0;
  if (look.icon_profile != 0) r->draw_icon(at.moved(look.icon_dx + shift, look.icon_dy + shift), look.icon_profile);
  if (!title.empty()) {
    r->draw_text(at.moved(look.title_dx + shift, look.title_dy + shift), title.data(), title.size(), look.color, look.font,
                 look.align);
  }
  if ((flags & focus_frame) != 0) r->focus_frame(at);
}

int button::input(std::int32_t x, std::int32_t y, layer::renderer& r, layer::surface& s, const std::function<void()>& show,
                  std::int32_t, std::int32_t) {
  if (!is_interactive()) return 1;
  auto redraw = [&] {
    draw(r);
    if (show) show();
  };
  switch (kind) {
    case press_release: {
      const std::int32_t before = state;
      state = state_pressed;
      redraw();
      fire_button_feedback(feedback);
      if (call(event_t::down) == 1) return 1;
      state = before;
      redraw();
      call(event_t::up);
      return 1;
    }
    case release: {
      const std::int32_t before = state;
      state = state_pressed;
      redraw();
      const bool lifted_inside = track_stylus(rect_, [&](bool inside) {
        state = inside ? state_pressed : before;
        redraw();
      });
      if (!lifted_inside) return 1;
      state = before;
      redraw();
      fire_button_feedback(feedback);
      call(event_t::click);
      return 1;
    }
    case inactive:
      return 0;
    case tracking: {
      call(event_t::enter);
      redraw();
      const bool lifted_inside = track_stylus(rect_, [&](bool inside) {
        call(inside ? event_t::enter : event_t::leave);
        redraw();
      });
      if (!lifted_inside) return 1;
      fire_button_feedback(feedback);
      call(event_t::click);
      redraw();
      return 1;
    }
    case drag: {
      call(event_t::click);
      layer::surface clean;
      clean->copy_from(s.impl());
      // The button moves by the stylus's steps, so the stylus keeps its offset from the corner.
      platform::point last{x, y};
      for (;;) {
        const stylus_step step = next_stylus_step();
        if (step.lifted) break;
        rect_ = rect_.moved(step.at.x - last.x, step.at.y - last.y);
        last = step.at;
        draw(r);
        if (show) show();
        s->copy_from(clean.impl());
      }
      end_tracking();
      draw(r);
      if (show) show();
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace remote
