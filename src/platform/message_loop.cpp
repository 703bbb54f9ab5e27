#include "platform/message_loop.h"

#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_cwnd.h"

namespace platform {

bool filter_message(msg& m) {
  for (hwnd h = m.window; h != no_window; h = parent_of(h)) {
    CWnd* object = CWnd::FromHandle(h);
    if (object != nullptr && object->PreTranslateMessage(m)) return true;
  }
  return false;
}

namespace {

void handle(msg& m) {
  if (!filter_message(m)) dispatch_message(m);
}

}  // namespace

bool pump_message() {
  msg m;
  if (!get_message(m, no_window, 0, 0)) return false;
  handle(m);
  return true;
}

int run_message_loop() {
  msg m;
  while (get_message(m, no_window, 0, 0)) handle(m);
  return static_cast<int>(m.wparam);
}

bool run_nested_loop(const std::function<bool()>& done) {
  while (!done()) {
    msg m;
    if (!get_message(m, no_window, 0, 0)) {
      post_quit_message(static_cast<int>(m.wparam));
      return false;
    }
    handle(m);
  }
  return true;
}

bool process_pending_messages() {
  msg m;
  while (peek_message(m, no_window, 0, 0, pm::remove)) {
    if (m.message == wm::quit) {
      post_quit_message(static_cast<int>(m.wparam));
      return false;
    }
    handle(m);
  }
  return true;
}

}  // namespace platform
