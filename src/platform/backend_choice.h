// Which backend runs the program: "sdl" (a desktop window) or "headless" (the screen in memory).
//
//   ZEQUON_BACKEND=sdl|headless   forces one
//   ZEQUON_SCRIPT=FILE            a scripted run, always headless
//   otherwise                     sdl when a display is there (DISPLAY or WAYLAND_DISPLAY set and
//                                 the video system starts), else headless
#pragma once

#include <functional>
#include <string_view>

namespace platform {

enum class backend_t { sdl, headless };

struct backend_environment {
  std::string_view backend;  // ZEQUON_BACKEND ("" when unset)
  std::string_view script;   // ZEQUON_SCRIPT
  std::string_view display;  // DISPLAY
  std::string_view wayland_display;
};

backend_environment backend_environment_of_process();

// False (out unchanged) for an unknown ZEQUON_BACKEND, or for "sdl" together with a script.
// video_starts is asked only when a display is named and nothing forces the choice.
bool choose_backend(const backend_environment& env, const std::function<bool()>& video_starts, backend_t& out);

std::string_view backend_name(backend_t backend);

}  // namespace platform
