// The headless backend's clock choice and screen.
#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/clock.h"
#include "platform/screen.h"

namespace {

using platform::headless::clock_mode_t;

TEST(HeadlessBackend, ClockComesFromTheEnvironment) {
  struct clock_case {
    const char* value;  // null: unset
    bool accepted;
    clock_mode_t expected;
  };
  const clock_case cases[] = {
      {nullptr, true, clock_mode_t::virtual_time},
      {"virtual", true, clock_mode_t::virtual_time},
      {"real", true, clock_mode_t::real_time},
      {"fast", false, clock_mode_t::virtual_time},
  };
  for (const clock_case& c : cases) {
    if (c.value == nullptr) {
      unsetenv("ZEQUON_CLOCK");
    } else {
      setenv("ZEQUON_CLOCK", c.value, 1);
    }
    clock_mode_t mode = clock_mode_t::virtual_time;
    EXPECT_EQ(platform::headless::clock_from_environment(mode), c.accepted) << (c.value ? c.value : "unset");
    if (c.accepted) {
      EXPECT_EQ(mode, c.expected);
    }
  }
  unsetenv("ZEQUON_CLOCK");
}

TEST(HeadlessBackend, StartsOnVirtualTimeWithTheScreenInMemory) {
  ASSERT_TRUE(platform::headless::start({320, 240}));
  EXPECT_TRUE(platform::clock::is_virtual());
  EXPECT_EQ(platform::headless::screen().width(), 320);
  EXPECT_EQ(platform::headless::screen().height(), 240);
  const std::uint64_t before = platform::clock::now_ns();
  platform::headless::wait(20);
  EXPECT_EQ(platform::clock::now_ns(), before);  // queued, not yet taken
  platform::headless::settle();
  EXPECT_EQ(platform::clock::now_ns() - before, 20000000u);
  platform::set_screen_size({240, 320});
  platform::clock::use_real();
}

}  // namespace
