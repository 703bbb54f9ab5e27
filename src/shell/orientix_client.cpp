#include "shell/orientix_client.h"

#include <string>

#include "orientation/orientix.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "storage/settings.h"

namespace outworld {

namespace {

constexpr std::wstring_view message_title = L"Zequa";

void tell_stop(std::wstring_view text) {
  platform::message_box(platform::no_window, text, message_title, platform::message_box_icon_t::stop,
                        platform::message_box_buttons_t::ok);
}

}  // namespace

std::int32_t orientation_code_of_choice(std::int32_t choice) {
  switch (choice) {
    case 0: return 0;
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    default: return -1;
  }
}

void orientix_client::load() { load_from(platform::program_folder()); }

void orientix_client::load_from(std::wstring_view folder) {
  unload();
  // The handheld offered rotation only from system version 4 on; every Linux host has the
  // display-settings service, so the library is always tried.
  std::wstring path(folder);
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  path += orientix_file_name;
  if (platform::load_shared_library(path, library_) != 0) {
    tell_stop(orientix_missing_text);
    return;
  }
  const auto can_change = library_.find_function<orientix::can_change_fn>(orientix::can_change_export);
  if (can_change == nullptr) {
    tell_stop(orientix_damaged_text);
    return;
  }
  supported_ = can_change() != 0;
}

void orientix_client::unload() {
  library_.unload();
  saved_ = -1;
  supported_ = false;
}

std::int32_t orientix_client::query() const {
  if (!supported_) return -1;
  const auto query_now = library_.find_function<orientix::query_fn>(orientix::query_export);
  return query_now != nullptr ? query_now() : -1;
}

void orientix_client::change(std::int32_t code) {
  if (!supported_) return;
  const auto change_to = library_.find_function<orientix::change_fn>(orientix::change_export);
  if (change_to != nullptr) change_to(code);
}

void orientix_client::apply(const xman::settings& settings, bool save) {
  const std::int32_t choice = settings.screen_orientation();
  if (!supported_ || choice == -1) return;
  const std::int32_t now = query();
  if (save) saved_ = now;
  const std::int32_t wanted = orientation_code_of_choice(choice);
  if (wanted != now) change(wanted);
}

void orientix_client::restore(const xman::settings& settings) {
  if (!supported_ || settings.screen_orientation() == -1) return;
  if (query() != saved_) change(saved_);
}

}  // namespace outworld
