#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <string_view>

#include "platform/clock.h"
#include "platform/display_settings.h"
#include "platform/input_purge.h"
#include "platform/key_state.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window_input.h"

namespace platform::headless {

namespace {

struct input_event {
  enum class kind_t { stylus, key, wait } kind = kind_t::wait;
  stylus_t stylus = stylus_t::down;
  point at;
  std::uint32_t key = 0;
  bool down = false;
  std::uint32_t modifiers = 0;
  std::uint32_t ms = 0;
};

struct input_queue {
  std::deque<input_event> pending;
  std::uint64_t timeline_ns = 0;  // where the queued waits have brought the input's own time
  bool installed = false;
};

input_queue& input() {
  static input_queue queue;
  return queue;
}

bool is_press(const input_event& e) {
  return (e.kind == input_event::kind_t::stylus && e.stylus == stylus_t::down) ||
         (e.kind == input_event::kind_t::key && e.down);
}

bool releases(const input_event& e, const input_event& press) {
  if (press.kind == input_event::kind_t::stylus) {
    return e.kind == input_event::kind_t::stylus && e.stylus == stylus_t::up;
  }
  return e.kind == input_event::kind_t::key && !e.down && e.key == press.key;
}

// Schedules the end of a press that was just delivered at the time its release is queued for.
void schedule_release(const input_event& press) {
  std::uint64_t at = input().timeline_ns;
  for (const input_event& e : input().pending) {
    if (e.kind == input_event::kind_t::wait) {
      at += std::uint64_t{e.ms} * 1000000u;
    } else if (releases(e, press)) {
      const int key = press.kind == input_event::kind_t::stylus ? vk_stylus : static_cast<int>(press.key);
      schedule_key_state(key, false, at);
      return;
    }
  }
}

// The idle source: delivers the next queued input; false when none is left.
bool deliver_next() {
  input_queue& in = input();
  if (in.pending.empty()) return false;
  const input_event e = in.pending.front();
  in.pending.pop_front();
  if (e.kind == input_event::kind_t::wait) {
    in.timeline_ns += std::uint64_t{e.ms} * 1000000u;
    if (clock::is_virtual()) {
      clock::advance_to(in.timeline_ns);
    } else if (clock::now_ns() < in.timeline_ns) {
      clock::sleep(static_cast<std::uint32_t>((in.timeline_ns - clock::now_ns() + 999999u) / 1000000u));
    }
    return true;
  }
  in.timeline_ns = std::max(in.timeline_ns, clock::now_ns());
  if (e.kind == input_event::kind_t::stylus) {
    deliver_stylus(e.stylus, e.at);
  } else {
    deliver_key(e.key, e.down, e.modifiers);
  }
  if (is_press(e)) schedule_release(e);
  return true;
}

// Input whose time came while the program was busy counts as made meanwhile: stylus touches and
// moves (or key presses) due by now are dropped; releases stay, as the message queue drops what reached it. The
// waits stay, so the input after them keeps its time.
void drop_input_due_by_now(pending_input_t kind) {
  input_queue& in = input();
  const std::uint64_t now = clock::now_ns();
  std::uint64_t at = in.timeline_ns;
  std::deque<input_event> kept;
  for (const input_event& e : in.pending) {
    if (e.kind == input_event::kind_t::wait) at += std::uint64_t{e.ms} * 1000000u;
    const bool stylus_touch = e.kind == input_event::kind_t::stylus && e.stylus != stylus_t::up;
    const bool key = e.kind == input_event::kind_t::key && e.down;
    const bool dropped = at <= now && (kind == pending_input_t::stylus ? stylus_touch : key);
    if (!dropped) kept.push_back(e);
  }
  in.pending = std::move(kept);
}

void queue(const input_event& e) {
  input_queue& in = input();
  if (!in.installed) {
    set_idle_source(deliver_next);
    set_backend_input_purge(drop_input_due_by_now);
    in.installed = true;
  }
  if (in.pending.empty()) in.timeline_ns = std::max(in.timeline_ns, clock::now_ns());
  in.pending.push_back(e);
}

void queue_stylus(stylus_t kind, point p) {
  input_event e;
  e.kind = input_event::kind_t::stylus;
  e.stylus = kind;
  e.at = p;
  queue(e);
}

void queue_key(std::uint32_t virtual_key, bool down, std::uint32_t modifiers) {
  input_event e;
  e.kind = input_event::kind_t::key;
  e.key = virtual_key;
  e.down = down;
  e.modifiers = modifiers;
  queue(e);
}

}  // namespace

bool clock_from_environment(clock_mode_t& out) {
  const char* value = std::getenv("ZEQUON_CLOCK");
  const std::string_view name = value != nullptr ? value : "";
  if (name.empty() || name == "virtual") {
    out = clock_mode_t::virtual_time;
  } else if (name == "real") {
    out = clock_mode_t::real_time;
  } else {
    return false;
  }
  return true;
}

bool start(size screen) {
  clock_mode_t mode = clock_mode_t::virtual_time;
  if (!clock_from_environment(mode)) return false;
  if (mode == clock_mode_t::virtual_time) {
    clock::use_virtual(0);
  } else {
    clock::use_real();
  }
  reset_display_orientation();
  set_screen_size(screen);
  reset_input();
  set_idle_source(deliver_next);
  input().installed = true;
  return true;
}

void use_queued_input() {
  set_idle_source(deliver_next);
  set_backend_input_purge(drop_input_due_by_now);
  input().installed = true;
}

void down(point p) { queue_stylus(stylus_t::down, p); }
void move(point p) { queue_stylus(stylus_t::move, p); }
void up(point p) { queue_stylus(stylus_t::up, p); }

void tap(point p) {
  down(p);
  up(p);
}

void press(point p, std::uint32_t ms) {
  down(p);
  wait(ms);
  up(p);
}

void key_down(std::uint32_t virtual_key, std::uint32_t modifiers) { queue_key(virtual_key, true, modifiers); }
void key_up(std::uint32_t virtual_key, std::uint32_t modifiers) { queue_key(virtual_key, false, modifiers); }

void key(std::uint32_t virtual_key, std::uint32_t modifiers) {
  key_down(virtual_key, modifiers);
  key_up(virtual_key, modifiers);
}

void wait(std::uint32_t ms) {
  input_event e;
  e.ms = ms;
  queue(e);
}

bool settle() { return process_pending_messages(); }

bool input_pending() { return !input().pending.empty(); }

void reset_input() {
  input().pending.clear();
  input().timeline_ns = 0;
}

const pixel_surface& screen() { return screen_surface(); }

}  // namespace platform::headless
