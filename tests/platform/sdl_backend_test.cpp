// The desktop backend without a display: its geometry and keys directly, its window, input and
// sound under SDL's dummy drivers.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/clipboard.h"
#include "platform/control_edit.h"
#include "platform/window_focus.h"
#include "platform/clock.h"
#include "platform/display_settings.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_presentation.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
using lines = std::vector<std::string>;

TEST(SdlPresentation, EveryShownPixelMapsBackToTheScreenPixelItShows) {
  pixel_surface screen(3, 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) screen.set(x, y, static_cast<std::uint32_t>(10 * y + x));
  }
  for (const int degrees : {0, 90, 180, 270}) {
    const pixel_surface shown = sdl::turned(screen, degrees);
    ASSERT_EQ((size{shown.width(), shown.height()}), sdl::turned_size({3, 2}, degrees)) << degrees;
    for (int v = 0; v < shown.height() * 2; ++v) {
      for (int u = 0; u < shown.width() * 2; ++u) {
        const point p = sdl::screen_point_of({u, v}, {3, 2}, degrees, 2);
        EXPECT_EQ(screen.at(p.x, p.y), shown.at(u / 2, v / 2)) << degrees << " at " << u << "," << v;
      }
    }
  }
  // Clockwise: the top-left pixel goes to the top-right corner at 90 degrees.
  EXPECT_EQ(sdl::turned(screen, 90).at(1, 0), 0u);
  EXPECT_EQ(sdl::screen_point_of({-5, 900}, {3, 2}, 0, 2), (point{0, 1}));  // clamped to the screen
}

TEST(SdlPresentation, ZoomIsTheLargestThatFitsEitherWayUp) {
  EXPECT_EQ(sdl::zoom_to_fit({240, 320}, {1920, 1080}), 3);
  EXPECT_EQ(sdl::zoom_to_fit({480, 800}, {1920, 1080}), 1);
  EXPECT_EQ(sdl::zoom_to_fit({240, 240}, {3840, 2160}), 4);
  EXPECT_EQ(sdl::zoom_to_fit({240, 320}, {0, 0}), 2);
}

TEST(SdlKeys, ArrowsEnterAndF1ToF4AreTheHardwareKeys) {
  const std::pair<SDL_Keycode, std::string_view> cases[] = {
      {SDLK_LEFT, "Left"}, {SDLK_RIGHT, "Right"}, {SDLK_UP, "Up"},     {SDLK_DOWN, "Down"},
      {SDLK_RETURN, "Select"}, {SDLK_KP_ENTER, "Select"}, {SDLK_F1, "40C1"}, {SDLK_F4, "40C4"},
      {SDLK_F5, ""},       {SDLK_a, ""},
  };
  for (const auto& [key, name] : cases) EXPECT_EQ(sdl::hardware_key_name_of(key), name) << key;
  EXPECT_EQ(sdl::control_character_of(SDLK_v), L'\x16');
  EXPECT_EQ(sdl::control_character_of(SDLK_a), L'\0');
  EXPECT_EQ(sdl::text_editing_key_of(SDLK_c), 0u);  // typed text instead
  EXPECT_EQ(sdl::text_editing_key_of(SDLK_DELETE), 0x2Eu);
}

class SdlDummy : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  // The backend took the queue's idle source; the headless backend gets it back.
  void TearDown() override { EXPECT_TRUE(platform::headless::start()); }
};

void push_button(Uint32 type, int x, int y) {
  SDL_Event event{};
  event.type = type;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.x = x;
  event.button.y = y;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

void push_key(Uint32 type, SDL_Keycode key) {
  SDL_Event event{};
  event.type = type;
  event.key.keysym.sym = key;
  ASSERT_EQ(SDL_PushEvent(&event), 1);
}

TEST_F(SdlDummy, MouseAndKeysReachTheWindowsAndClosingQuits) {
  zqtest::message_recorder log;
  sdl::backend desktop;
  std::string error;
  ASSERT_TRUE(sdl::video_starts());
  ASSERT_TRUE(desktop.start({240, 320}, "test", error, 2)) << error;
  EXPECT_FALSE(clock::is_virtual());
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  ASSERT_NE(a, no_window);
  log.pump();
  log.take();

  push_button(SDL_MOUSEBUTTONDOWN, 21, 41);
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = 30;
  motion.motion.y = 50;
  SDL_PushEvent(&motion);
  push_button(SDL_MOUSEBUTTONUP, 30, 50);
  push_key(SDL_KEYDOWN, SDLK_DOWN);
  push_key(SDL_KEYUP, SDLK_DOWN);
  push_key(SDL_KEYDOWN, SDLK_ESCAPE);  // no hardware key: nothing arrives
  log.pump();
  const lines seen = log.take();
  const lines expected{"A post lbuttondown 10,20", "A post mousemove 15,25", "A post lbuttonup 15,25",
                       "A post keydown 0x28", "A post keyup 0x28"};
  lines input;
  for (const std::string& line : seen) {
    if (line.find("button") != std::string::npos || line.find("mousemove") != std::string::npos ||
        line.find("key") != std::string::npos) {
      input.push_back(line);
    }
  }
  EXPECT_EQ(input, expected);

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_EQ(run_message_loop(), 0);
  desktop.stop();
}

TEST_F(SdlDummy, TypedTextBackspaceAndControlKeysEditTheFocusField) {
  zqtest::message_recorder log;
  sdl::backend desktop;
  std::string error;
  ASSERT_TRUE(sdl::video_starts());
  ASSERT_TRUE(desktop.start({240, 320}, "test", error, 1)) << error;
  const hwnd a = log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  register_edit_class();
  const hwnd field = create_window({edit_class, L"", ws::child | ws::visible, 0, {0, 0, 200, 22}, a, 1});
  set_focus(field);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::snprintf(text.text.text, sizeof text.text.text, "%s", "A\xC3\xB1" "b");  // "Añb" in UTF-8
  ASSERT_EQ(SDL_PushEvent(&text), 1);
  push_key(SDL_KEYDOWN, SDLK_BACKSPACE);
  push_key(SDL_KEYUP, SDLK_BACKSPACE);
  log.pump();
  EXPECT_EQ(window_text(field), L"A\u00F1");
  // Control+Z undoes the backspace.
  push_key(SDL_KEYDOWN, SDLK_LCTRL);
  SDL_Event undo{};
  undo.type = SDL_KEYDOWN;
  undo.key.keysym.sym = SDLK_z;
  undo.key.keysym.mod = KMOD_LCTRL;
  ASSERT_EQ(SDL_PushEvent(&undo), 1);
  undo.type = SDL_KEYUP;
  ASSERT_EQ(SDL_PushEvent(&undo), 1);
  push_key(SDL_KEYUP, SDLK_LCTRL);
  log.pump();
  EXPECT_EQ(window_text(field), L"A\u00F1b");
  desktop.stop();
}

TEST_F(SdlDummy, TheWindowShowsTheScreenZoomedAndTurned) {
  sdl::backend desktop;
  std::string error;
  ASSERT_TRUE(desktop.start({24, 32}, "test", error, 3)) << error;
  pixel_surface& screen = screen_surface();
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 24; ++x) screen.set(x, y, static_cast<std::uint32_t>(0x010000 * (x * 10) + 0x000100 * (y * 7) + 0x55));
  }
  for (const int degrees : {0, 90, 180, 270}) {
    desktop.set_rotation(degrees);
    desktop.present();
    const pixel_surface turned = sdl::turned(screen, degrees);
    const pixel_surface shown = desktop.shown_image();
    ASSERT_EQ(shown.width(), turned.width() * 3) << degrees;
    ASSERT_EQ(shown.height(), turned.height() * 3) << degrees;
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) wrong += shown.at(x, y) != turned.at(x / 3, y / 3) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0) << degrees;
  }
  desktop.stop();
}

TEST_F(SdlDummy, TheClipboardIsTheDesktopsAndATurnedDisplayResizesTheWindow) {
  sdl::backend desktop;
  std::string error;
  ASSERT_TRUE(desktop.start({24, 32}, "test", error, 3)) << error;
  ASSERT_TRUE(set_clipboard_text(L"0000 \u00E9"));
  char* held = SDL_GetClipboardText();
  EXPECT_STREQ(held, "0000 \xC3\xA9");
  SDL_free(held);
  ASSERT_EQ(SDL_SetClipboardText("from the desktop"), 0);
  std::wstring text;
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"from the desktop");

  display_mode mode{dm_display_orientation, display_orientation::angle_90};
  ASSERT_EQ(change_display_settings(mode, display_request_t::apply), display_change::successful);
  desktop.present();
  const pixel_surface shown = desktop.shown_image();
  EXPECT_EQ((size{shown.width(), shown.height()}), (size{32 * 3, 24 * 3}));
  desktop.stop();

  // Without the desktop the clipboard is the program's own again.
  ASSERT_TRUE(set_clipboard_text(L"own"));
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"own");
}

TEST_F(SdlDummy, WaveBytesPlayAndOtherBytesAreRefused) {
  sdl::audio_output audio;
  std::vector<std::uint8_t> wave{'R', 'I', 'F', 'F', 44, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                                 16, 0, 0, 0, 1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0,
                                 'd', 'a', 't', 'a', 8, 0, 0, 0, 128, 200, 128, 56, 128, 200, 128, 56};
  EXPECT_TRUE(audio.play(wave));
  EXPECT_GT(audio.queued_bytes(), 0u);
  wave[8] = 'X';
  EXPECT_FALSE(audio.play(wave));
  EXPECT_FALSE(audio.play({}));
}

}  // namespace
