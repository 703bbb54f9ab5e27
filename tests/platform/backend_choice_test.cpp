// Which backend a run gets from its environment.
#include "platform/backend_choice.h"

#include <gtest/gtest.h>

namespace {

using platform::backend_t;

TEST(BackendChoice, FollowsTheEnvironmentAndTheDisplay) {
  struct choice_case {
    platform::backend_environment env;
    bool video_starts;
    bool accepted;
    backend_t expected;
    bool video_asked;
  };
  const choice_case cases[] = {
      {{"", "", ":0", ""}, true, true, backend_t::sdl, true},
      {{"", "", "", "wayland-0"}, true, true, backend_t::sdl, true},
      {{"", "", ":0", ""}, false, true, backend_t::headless, true},  // named but not reachable
      {{"", "", "", ""}, true, true, backend_t::headless, false},
      {{"", "s.txt", ":0", ""}, true, true, backend_t::headless, false},
      {{"headless", "", ":0", ""}, true, true, backend_t::headless, false},
      {{"sdl", "", "", ""}, false, true, backend_t::sdl, false},
      {{"sdl", "s.txt", ":0", ""}, true, false, backend_t::headless, false},
      {{"x11", "", ":0", ""}, true, false, backend_t::headless, false},
  };
  for (const choice_case& c : cases) {
    bool asked = false;
    backend_t chosen = backend_t::headless;
    const bool accepted = platform::choose_backend(c.env, [&] { asked = true; return c.video_starts; }, chosen);
    const std::string label = std::string(c.env.backend) + "|" + std::string(c.env.script) + "|" +
                              std::string(c.env.display) + "|" + std::string(c.env.wayland_display);
    EXPECT_EQ(accepted, c.accepted) << label;
    EXPECT_EQ(chosen, c.expected) << label;
    EXPECT_EQ(asked, c.video_asked) << label;
  }
}

}  // namespace
