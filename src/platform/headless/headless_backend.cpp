#include "platform/headless/headless_backend.h"

#include <cstdlib>
#include <string_view>

#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "platform/window_input.h"

namespace platform::headless {

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
  set_screen_size(screen);
  return true;
}

bool settle() { return process_pending_messages(); }

void down(point p) {
  deliver_stylus(stylus_t::down, p);
  settle();
}

void move(point p) {
  deliver_stylus(stylus_t::move, p);
  settle();
}

void up(point p) {
  deliver_stylus(stylus_t::up, p);
  settle();
}

void tap(point p) {
  down(p);
  up(p);
}

void press(point p, std::uint32_t ms) {
  const std::uint64_t lift = clock::now_ns() + std::uint64_t{ms} * 1000000u;
  deliver_stylus(stylus_t::down, p);
  schedule_key_state(vk_stylus, false, lift);
  settle();
  const std::uint64_t now = clock::now_ns();
  if (now < lift) clock::sleep(static_cast<std::uint32_t>((lift - now + 999999u) / 1000000u));
  up(p);
}

void key_down(std::uint32_t virtual_key, std::uint32_t modifiers) {
  deliver_key(virtual_key, true, modifiers);
  settle();
}

void key_up(std::uint32_t virtual_key, std::uint32_t modifiers) {
  deliver_key(virtual_key, false, modifiers);
  settle();
}

void key(std::uint32_t virtual_key, std::uint32_t modifiers) {
  key_down(virtual_key, modifiers);
  key_up(virtual_key, modifiers);
}

void wait(std::uint32_t ms) {
  clock::sleep(ms);
  settle();
}

const pixel_surface& screen() { return screen_surface(); }

}  // namespace platform::headless
