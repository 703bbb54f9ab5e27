// remote::window_control: the remote screen's holder. It owns the two viewers (the top panel and
// the main area), the services shown in them by name ("navigation" and "remote"), the room (hot
// list, hard-button assignments) and the chain every action command runs through: the
// navigation's "@loadhot:", then the device's page commands, then the owning form.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "base/result.h"
#include "ir/ir_error.h"
#include "platform/geometry.h"
#include "platform/window_handle.h"
#include "remote/button.h"
#include "remote/viewer.h"
#include "storage/room_state.h"

namespace redeye {
struct context;
}
namespace xman {
class database_catalog;
}

namespace remote {

class device;
class navigation;
class service;

class window_control {
 public:
  // The form's handler of commands nobody below it consumed.
  using action_handler = std::function<void(redeye::context& ctx, std::string_view action, redeye::error_t& error)>;
  // The form's handler of what the top panel forwards (b: the tapped button, or null).
  using button_handler = std::function<void(const button* b, std::string_view action, button::event_t event)>;

  // codebases: the catalog codebases are opened from; it must outlive the holder.
  explicit window_control(xman::database_catalog& codebases);
  ~window_control();
  window_control(const window_control&) = delete;
  window_control& operator=(const window_control&) = delete;

  // Makes the viewers' windows inside parent (parent coordinates).
  bool create(platform::hwnd parent, const platform::rect& top_area, const platform::rect& main_area);
  void resize(const platform::rect& top_area, const platform::rect& main_area);

  action_handler on_action;
  button_handler on_button;
  // Whether the program's menu bar is shown (the menu button's look).
  std::function<bool()> menu_shown;

  // Loads the codebase (empty name: unloads) on the page stored for it in the hot list, else on
  // initial_page. 0 or the database error (1041: a version too new).
  [[nodiscard]] zq::result_t load_codebase(std::string_view name, std::int32_t initial_page);
  // Shows the service of that name in the main viewer; unknown names change nothing.
  void show_service(std::string_view name);
  // The chain: true when someone consumed the command.
  bool dispatch(redeye::context& ctx, std::string_view action, redeye::error_t& error);
  // Hands text to the form's button handler.
  void forward(const button* b, std::string_view action, button::event_t event = button::event_t::click);
  // A hot button's click (slot 1..8).
  void hot_button_click(int slot, const button* b);
  // Marks both viewers for repaint.
  void invalidate();
  void invalidate_main();

  // The loaded codebase's name, empty when none; its page, -1 without a device.
  std::string current_codebase() const;
  std::int32_t current_page();

  // The room: hot list and hard buttons are used from here; take_room also loads the room's
  // codebase on its page, room_to_save records the shown one.
  remote::room_state& room() { return room_; }
  void take_room(const remote::room_state& room, bool load_shown);
  remote::room_state room_to_save();

  service* find_service(std::string_view name);
  device& remote();
  navigation& nav();
  viewer& main_viewer() { return main_viewer_; }
  viewer& top_viewer() { return top_viewer_; }
  service* shown_service() const { return main_viewer_.shown(); }
  std::string shown_service_name() const;
  xman::database_catalog& codebases() const { return codebases_; }
  // Counts codebase loads, so a macro can tell that another codebase came while it ran.
  std::uint32_t load_count() const { return load_count_; }

 private:
  xman::database_catalog& codebases_;
  viewer main_viewer_;
  viewer top_viewer_;
  std::map<std::string, std::unique_ptr<service>, std::less<>> services_;
  remote::room_state room_;
  std::uint32_t load_count_ = 0;
};

}  // namespace remote
