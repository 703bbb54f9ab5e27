#include "platform/backend_choice.h"

#include <cstdlib>

namespace platform {

namespace {

std::string_view variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

backend_environment backend_environment_of_process() {
  return {variable("ZEQUON_BACKEND"), variable("ZEQUON_SCRIPT"), variable("DISPLAY"), variable("WAYLAND_DISPLAY")};
}

bool choose_backend(const backend_environment& env, const std::function<bool()>& video_starts, backend_t& out) {
  const bool scripted = !env.script.empty();
  if (env.backend == "headless" || (env.backend.empty() && scripted)) {
    out = backend_t::headless;
    return true;
  }
  if (env.backend == "sdl") {
    if (scripted) return false;  // a script plays the device without a window
    out = backend_t::sdl;
    return true;
  }
  if (!env.backend.empty()) return false;
  const bool display_named = !env.display.empty() || !env.wayland_display.empty();
  out = display_named && video_starts && video_starts() ? backend_t::sdl : backend_t::headless;
  return true;
}

std::string_view backend_name(backend_t backend) { return backend == backend_t::sdl ? "sdl" : "headless"; }

}  // namespace platform
