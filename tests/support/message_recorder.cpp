#include "support/message_recorder.h"

#include <cstdio>
#include <utility>

#include "platform/clock.h"
#include "platform/display_settings.h"
#include "platform/headless/headless_backend.h"
#include "platform/hot_key.h"
#include "platform/hot_key_release.h"
#include "platform/key_state.h"
#include "platform/message_queue.h"
#include "platform/screen.h"

namespace zqtest {

using namespace platform;

namespace {

const std::map<std::uint32_t, std::string>& message_names() {
  static const std::map<std::uint32_t, std::string> names = {
      {wm::create, "create"},         {wm::destroy, "destroy"},
      {wm::move, "move"},             {wm::size, "size"},
      {wm::activate, "activate"},     {wm::setfocus, "setfocus"},
      {wm::killfocus, "killfocus"},   {wm::enable, "enable"},
      {wm::paint, "paint"},           {wm::close, "close"},
      {wm::erasebkgnd, "erasebkgnd"}, {wm::showwindow, "showwindow"},
      {wm::settingchange, "settingchange"}, {wm::windowposchanging, "windowposchanging"},
      {wm::windowposchanged, "windowposchanged"}, {wm::ncdestroy, "ncdestroy"},
      {wm::keydown, "keydown"},       {wm::keyup, "keyup"},
      {wm::command, "command"},       {wm::mousemove, "mousemove"},
      {wm::lbuttondown, "lbuttondown"}, {wm::lbuttonup, "lbuttonup"},
      {wm::capturechanged, "capturechanged"}, {wm::hotkey, "hotkey"},
      {wm::entermenuloop, "entermenuloop"}, {wm::exitmenuloop, "exitmenuloop"},
      {wm::initmenupopup, "initmenupopup"},
  };
  return names;
}

std::string hex(std::uintptr_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(v));
  return text;
}

}  // namespace

message_recorder::message_recorder() {
  reset_window_system();
  reset_message_queue();
  reset_hot_keys();
  reset_key_states();
  headless::reset_input();
  set_system_export_available("UnregisterFunc1", true);
  clock::use_virtual(0);
  reset_display_orientation();
  set_screen_size({240, 320});
  register_class({L"Recorded", [this](hwnd h, std::uint32_t m, wparam_t w, lparam_t l) { return record(h, m, w, l); },
                  rgb(255, 255, 255)});
}

message_recorder::~message_recorder() {
  on = nullptr;
  reset_window_system();
  reset_message_queue();
  reset_hot_keys();
  reset_key_states();
  headless::reset_input();
  set_system_export_available("UnregisterFunc1", true);
  clock::use_real();
}

hwnd message_recorder::create(const std::string& window_name, std::uint32_t style, const rect& position, hwnd parent,
                              std::uint32_t ex_style) {
  // The name is known before the first message: the next handle is named in advance.
  set_create_hook([this, window_name](hwnd h) { name(h, window_name); });
  return create_window({L"Recorded", L"", style, ex_style, position, parent, 0, nullptr});
}

void message_recorder::name(hwnd h, const std::string& window_name) { names_[handle_value(h)] = window_name; }

std::string message_recorder::name_of(hwnd h) const {
  const auto found = names_.find(handle_value(h));
  return found == names_.end() ? (h == no_window ? "-" : "?") : found->second;
}

std::vector<std::string> message_recorder::take() { return std::exchange(lines_, {}); }

void message_recorder::pump() {
  msg m;
  while (peek_message(m, no_window, 0, 0, pm::remove)) {
    if (m.message == wm::quit) {
      lines_.push_back("quit " + std::to_string(m.wparam));
      continue;
    }
    claimed_ = {};
    dispatch_message(m);
  }
}

bool message_recorder::pump_one() {
  msg m;
  if (!get_message(m, no_window, 0, 0)) {
    lines_.push_back("quit " + std::to_string(m.wparam));
    return false;
  }
  claimed_ = {};
  dispatch_message(m);
  return true;
}

lresult_t message_recorder::record(hwnd h, std::uint32_t message, wparam_t w, lparam_t l) {
  const msg& taken = last_message();
  const auto same = [](const msg& x, const msg& y) {
    return x.window == y.window && x.message == y.message && x.wparam == y.wparam && x.lparam == y.lparam &&
           x.time_ms == y.time_ms;
  };
  const bool posted = taken.window == h && taken.message == message && taken.wparam == w && taken.lparam == l &&
                      !same(taken, claimed_);
  if (posted) claimed_ = taken;  // what it sends in turn is sent
  std::string line = name_of(h) + (posted ? " post " : " ");
  const auto named = message_names().find(message);
  line += named != message_names().end()
              ? named->second
              : (message >= wm::user ? "user+" + std::to_string(message - wm::user) : hex(message));
  switch (message) {
    case wm::activate:
      line += " " + std::to_string(loword(w)) + " " + name_of(hwnd_of(static_cast<std::uint32_t>(l)));
      break;
    case wm::showwindow:
    case wm::enable:
      line += " " + std::to_string(w);
      break;
    case wm::windowposchanging:
    case wm::windowposchanged:
      line += " " + hex(reinterpret_cast<const window_pos*>(l)->flags);
      break;
    case wm::size:
      line += " " + std::to_string(loword(static_cast<std::uintptr_t>(l))) + "x" +
              std::to_string(hiword(static_cast<std::uintptr_t>(l)));
      break;
    case wm::move:
    case wm::mousemove:
    case wm::lbuttondown:
    case wm::lbuttonup: {
      const point p = point_of(l);
      line += " " + std::to_string(p.x) + "," + std::to_string(p.y);
      break;
    }
    case wm::keydown:
    case wm::keyup:
    case wm::settingchange:
      line += " " + hex(w);
      break;
    case wm::hotkey:
      line += " " + std::to_string(w) + " " + hex(static_cast<std::uintptr_t>(l));
      break;
    case wm::capturechanged:
      line += " " + name_of(hwnd_of(static_cast<std::uint32_t>(l)));
      break;
    case wm::command:
    case wm::entermenuloop:
    case wm::exitmenuloop:
      line += " " + std::to_string(loword(w));
      break;
    case wm::initmenupopup:
      line += " " + std::to_string(loword(static_cast<std::uintptr_t>(l)));
      break;
    default:
      if (message >= wm::user) line += " " + std::to_string(w);
      break;
  }
  lines_.push_back(line);
  if (on) {
    if (const auto answer = on(h, message, w, l)) return *answer;
  }
  return def_window_proc(h, message, w, l);
}

}  // namespace zqtest
