#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <atomic>
#include <vector>

#include "base/text_conversion.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/desktop_window.h"
#include "platform/display_settings.h"
#include "platform/hardware_key_names.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_presentation.h"
#include "platform/shell_execute.h"
#include "platform/sound.h"
#include "platform/window.h"
#include "platform/window_class.h"
#include "platform/wakeup_programs.h"
#include "platform/window_input.h"

namespace platform::sdl {

namespace {

constexpr wchar_t wake_class[] = L"ZequonDesktopWake";
constexpr std::uint32_t wake_after_ms = 10;

// SDL keeps some state (hints, the event queue) until it is shut down as a whole; do so once no
// part of it is in use.
void quit_sdl_when_unused() {
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

}  // namespace

bool video_starts() {
  if (SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
  const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  quit_sdl_when_unused();
  return started;
}

struct backend::window_state {
  // A hidden window of the program's thread: SDL's timer thread posts to it so that a thread
  // waiting for a message looks at the desktop's events again.
  hwnd wake = no_window;
  SDL_TimerID wake_timer = 0;
  std::atomic<bool> wake_armed{false};
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  size texture_size;
  std::vector<std::uint32_t> shown;  // the screen's pixels as last presented
  int shown_degrees = -1;
  bool exposed = true;

  ~window_state() {
    if (wake_timer != 0) SDL_RemoveTimer(wake_timer);
    if (wake != no_window) destroy_window(wake);
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER);
    quit_sdl_when_unused();
  }

  // In wake_after_ms, a null message to the wake window (once, however often it is asked).
  void arm_wake() {
    if (wake_armed.exchange(true)) return;
    if (wake_timer != 0) SDL_RemoveTimer(wake_timer);
    wake_timer = SDL_AddTimer(wake_after_ms, &window_state::wake_up, this);
  }

  static Uint32 wake_up(Uint32, void* self) {
    window_state& w = *static_cast<window_state*>(self);
    w.wake_armed = false;
    post_message(w.wake, wm::null, 0, 0);
    return 0;
  }
};

backend::backend() = default;
backend::~backend() { stop(); }

bool backend::start(size screen, const std::string& title, std::string& error, int zoom) {
  stop();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    error = SDL_GetError();
    quit_sdl_when_unused();
    return false;
  }
  auto state = std::make_unique<window_state>();
  clock::use_real();
  reset_display_orientation();
  set_screen_size(screen);

  SDL_Rect desktop{};
  if (zoom <= 0) {
    zoom = SDL_GetDisplayUsableBounds(0, &desktop) == 0 ? zoom_to_fit(screen, {desktop.w, desktop.h}) : 2;
  }
  zoom_ = zoom;
  const size shown = turned_size(screen, degrees_);
  state->window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, shown.cx * zoom_,
                                   shown.cy * zoom_, 0);
  if (state->window != nullptr) state->renderer = SDL_CreateRenderer(state->window, -1, 0);
  if (state->renderer == nullptr) {
    error = SDL_GetError();
    return false;
  }
  if (find_class(wake_class) == nullptr) register_class({wake_class, def_window_proc, std::nullopt});
  state->wake = create_window({wake_class, L"", 0, 0, {0, 0, 0, 0}, no_window, 0, nullptr});
  window_ = std::move(state);
  set_wave_player([this](std::span<const std::uint8_t> wave) { audio_.play(wave); });
  set_clipboard_host({[](const std::string& text) { return SDL_SetClipboardText(text.c_str()) == 0; },
                      [](std::string& text) {
                        if (SDL_HasClipboardText() != SDL_TRUE) return false;
                        char* held = SDL_GetClipboardText();
                        if (held == nullptr) return false;
                        text = held;
                        SDL_free(held);
                        return true;
                      }});
  set_document_opener(open_with_desktop);
  set_program_starter(run_host_program);
  set_desktop_raiser([this] {
    if (window_) SDL_RaiseWindow(window_->window);
  });
  // Whenever the program's thread has nothing to do: show the screen, take the desktop's events.
  // With none for a moment, the thread may wait for a message; the wake window's null message
  // brings it back soon to look again.
  set_idle_source([this] {
    present();
    if (pump_events(0) || pump_events(wake_after_ms / 2)) return true;
    window_->arm_wake();
    return false;
  });
  return true;
}

void backend::stop() {
  if (!window_) return;
  set_idle_source({});
  set_wave_player({});
  set_clipboard_host({});
  set_document_opener({});
  set_program_starter({});
  set_desktop_raiser({});
  audio_.close();
  window_.reset();
  stylus_down_ = false;
}

void backend::set_rotation(int degrees) {
  degrees_ = degrees == 90 || degrees == 180 || degrees == 270 ? degrees : 0;
}

void backend::present() {
  if (!window_) return;
  window_state& w = *window_;
  const pixel_surface& screen = screen_surface();
  if (!w.exposed && w.shown_degrees == degrees_ && w.shown == screen.pixels()) return;

  const pixel_surface image = turned(screen, degrees_);
  const size extent{image.width(), image.height()};
  if (w.texture == nullptr || w.texture_size != extent) {
    if (w.texture != nullptr) SDL_DestroyTexture(w.texture);
    w.texture = SDL_CreateTexture(w.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, extent.cx,
                                  extent.cy);
    w.texture_size = extent;
    SDL_SetWindowSize(w.window, extent.cx * zoom_, extent.cy * zoom_);
  }
  if (w.texture == nullptr) return;
  SDL_UpdateTexture(w.texture, nullptr, image.pixels().data(), extent.cx * 4);
  SDL_RenderClear(w.renderer);
  SDL_RenderCopy(w.renderer, w.texture, nullptr, nullptr);
  SDL_RenderPresent(w.renderer);
  w.shown = screen.pixels();
  w.shown_degrees = degrees_;
  w.exposed = false;
}

pixel_surface backend::shown_image() const {
  if (!window_) return {};
  int w = 0;
  int h = 0;
  if (SDL_GetRendererOutputSize(window_->renderer, &w, &h) != 0 || w <= 0 || h <= 0) return {};
  pixel_surface image(w, h);
  if (SDL_RenderReadPixels(window_->renderer, nullptr, SDL_PIXELFORMAT_RGB888, image.row(0), w * 4) != 0) return {};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.row(y)[x] &= 0x00FFFFFFu;
  }
  return image;
}

bool backend::pump_events(std::uint32_t wait_ms) {
  if (!window_) return false;
  bool delivered = false;
  SDL_Event event;
  const int got = wait_ms == 0 ? SDL_PollEvent(&event) : SDL_WaitEventTimeout(&event, static_cast<int>(wait_ms));
  if (got == 0) return false;
  do {
    delivered = handle_event(&event) || delivered;
  } while (SDL_PollEvent(&event) != 0);
  return delivered;
}

bool backend::handle_event(const void* raw) {
  const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
  const size screen = screen_size();
  switch (event.type) {
    case SDL_QUIT:
      post_quit_message(0);
      return true;
    case SDL_APP_DIDENTERFOREGROUND:
      // A desktop that suspends (a phone or tablet) wakes the handheld up.
      wake_up();
      return false;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) window_->exposed = true;
      return false;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      const bool down = event.type == SDL_MOUSEBUTTONDOWN;
      if (down == stylus_down_) return false;
      stylus_down_ = down;
      deliver_stylus(down ? stylus_t::down : stylus_t::up,
                     screen_point_of({event.button.x, event.button.y}, screen, degrees_, zoom_));
      return true;
    }
    case SDL_MOUSEMOTION:
      if (!stylus_down_) return false;  // the stylus only moves while it touches the screen
      deliver_stylus(stylus_t::move, screen_point_of({event.motion.x, event.motion.y}, screen, degrees_, zoom_));
      return true;
    case SDL_TEXTINPUT:
      // Control with a letter is a command to the field, not text.
      if ((SDL_GetModState() & KMOD_CTRL) != 0) return false;
      for (const wchar_t ch : zq::utf8_to_wide(event.text.text)) deliver_char(ch);
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = event.type == SDL_KEYDOWN;
      if (event.key.keysym.sym == SDLK_BACKSPACE) {
        if (down) deliver_char(L'\x08');
        return down;
      }
      // Control with C, V, X or Z: the control character, as the handheld's keyboard gives it.
      if (const wchar_t command = control_character_of(event.key.keysym.sym);
          command != 0 && (event.key.keysym.mod & KMOD_CTRL) != 0) {
        if (down) deliver_char(command);
        return down;
      }
      if (const std::uint32_t editing = text_editing_key_of(event.key.keysym.sym)) {
        deliver_key(editing, down);
        return true;
      }
      if (event.key.repeat != 0) return false;
      hardware_key key;
      if (!hardware_key_by_name(hardware_key_name_of(event.key.keysym.sym), key)) return false;
      deliver_key(key.virtual_key, event.type == SDL_KEYDOWN, key.modifiers);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace platform::sdl
