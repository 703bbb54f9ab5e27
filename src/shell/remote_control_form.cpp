#include "shell/remote_control_form.h"

#include <charconv>
#include <cstdio>

#include "base/text_conversion.h"
#include "dialogs/zqx_help_dlg.h"
#include "platform/message_box.h"
#include "platform/shell_execute.h"
#include "platform/window.h"
#include "remote/button_feedback.h"
#include "remote/device.h"
#include "remote/layer.h"
#include "remote/navigation.h"
#include "remote/remote_texts.h"
#include "shell/environment.h"
#include "shell/menu_commands.h"
#include "shell/remote_screen_help.h"
#include "storage/hard_key_dispatch.h"
#include "storage/program_databases.h"
#include "storage/settings.h"

using namespace platform;

namespace shell {

namespace {

constexpr const wchar_t* form_class = L"RemoteControlForm";
constexpr std::uint32_t list_id = 1000;
// Posted to the form to show a box once the paint that asked for it is over (wparam: which).
constexpr std::uint32_t deferred_box_message = wm::user + 0x120;
// The longest codebase name.
constexpr std::size_t longest_codebase_name = 31;

enum box_t : std::uint32_t { box_corrupted = 17015, box_too_new = 17016, box_cannot_open = 18005 };

// Reads a decimal; anything else is 0.
std::int32_t decimal_or_zero(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc{} && end == text.data() + text.size() ? value : 0;
}

xman::database_catalog& codebase_databases() { return xman::program_databases::instance().codebase_databases(); }

std::vector<std::string> installed_codebases() { return xman::program_databases::instance().codebases().list(false); }

}  // namespace

CRemoteControlForm::CRemoteControlForm(xman::settings& settings, std::function<void(std::uint32_t)> run_command)
    : m_settings(settings),
      m_runCommand(std::move(run_command)),
      m_control(std::make_unique<remote::window_control>(codebase_databases())) {
  m_control->on_action = [this](redeye::context& ctx, std::string_view action, redeye::error_t& error) {
    OnAction(ctx, action, error);
  };
  m_control->on_button = [this](const remote::button* b, std::string_view action, remote::button::event_t) {
    OnButton(b, action);
  };
  m_control->menu_shown = [] { return !outworld::environment::instance().full_screen(); };
  // A button that fires clicks (or beeps) through the program's sounds, which know whether the
  // key click is wanted; so does the IR engine.
  remote::set_button_feedback([](std::int32_t which) {
    const auto& sound = outworld::environment::instance().sound();
    if (sound) sound(static_cast<outworld::sound_t>(which));
  });
  m_control->remote().ir().sound = [](outworld::sound_t which) {
    const auto& sound = outworld::environment::instance().sound();
    if (sound) sound(which);
  };
}

CRemoteControlForm::~CRemoteControlForm() {
  if (!m_hidden) ReleaseHardKeys();
  outworld::environment::instance().set_input_listener({});
}

bool CRemoteControlForm::Create(CWnd& parent) {
  CWnd::RegisterClass(form_class, std::nullopt);
  if (!CWnd::Create(form_class, L"", ws::child, parent.GetClientRect(), &parent, 0)) return false;
  const rect whole = GetClientRect();
  if (!m_control->create(m_hWnd, whole, whole)) return false;
  if (!m_list.Create(m_hWnd, whole, list_id)) return false;
  Resize();
  ReadRoom();
  return true;
}

void CRemoteControlForm::Resize() {
  CWnd* parent = GetParent();
  if (parent == nullptr) return;
  const rect area = parent->GetClientRect();
  MoveWindow(area, true);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const int scale = layer::pixel_scale();
  const int panel = 42 * scale;
  m_control->resize({0, 0, width, panel}, {0, panel, width, std::max(height, panel)});
  // The list's right edge stays on the screen on every class: 38 pixels of the 240-wide design.
  m_list.Move({39 * scale, panel, width - 38 * scale, 142 * scale});
}

void CRemoteControlForm::ReadRoom() {
  remote::room_state room;
  const auto& databases = xman::program_databases::instance();
  if (databases.profile().load(room, &databases.codebases()) != zq::rc::ok) room = remote::room_state{};
  m_rememberedCodebase = room.current;
  m_rememberedPage = room.page;
  room.current.clear();  // loaded on show
  m_control->take_room(room, false);
}

void CRemoteControlForm::StoreState() {
  remote::room_state room = m_control->room_to_save();
  if (m_hidden) {
    room.current = m_rememberedCodebase;
    room.page = static_cast<std::int16_t>(m_rememberedPage);
  }
  (void)xman::program_databases::instance().profile().save(room);
}

void CRemoteControlForm::Show() {
  outworld::environment& environment = outworld::environment::instance();
  environment.set_full_screen(true);
  environment.enter_full_screen();
  RegisterHardKeys();
  if (!m_rememberedCodebase.empty() &&
      m_control->load_codebase(m_rememberedCodebase, m_rememberedPage) == zq::rc::ok) {
    m_rememberedPage = m_control->current_page();
  } else {
    m_rememberedPage = 0;
  }
  Resize();
  ShowWindow(sw::show);
  if (CWnd* parent = GetParent()) parent->ShowWindow(sw::show);
  m_control->invalidate();
  m_hidden = false;
}

void CRemoteControlForm::Hide() {
  if (m_hidden) return;
  StoreState();
  ReleaseHardKeys();
  m_rememberedCodebase = m_control->current_codebase();
  m_rememberedPage = m_rememberedCodebase.empty() ? 0 : m_control->current_page();
  if (!m_rememberedCodebase.empty()) (void)m_control->load_codebase({}, 0);
  ShowWindow(sw::hide);
  m_hidden = true;
}

void CRemoteControlForm::SetCodebase(std::string_view name) {
  if (m_hidden) {
    m_rememberedCodebase = name;
    m_rememberedPage = 0;
    return;
  }
  if (m_control->load_codebase(name, 0) == zq::rc::ok) {
    m_control->invalidate();
    m_rememberedCodebase = name;
    m_rememberedPage = m_control->current_page();
  }
}

void CRemoteControlForm::ReloadFromProfile() {
  const bool shown = !m_hidden;
  m_rememberedCodebase.clear();
  (void)m_control->load_codebase({}, 0);
  if (shown) ReleaseHardKeys();
  ReadRoom();
  if (!shown) return;
  RegisterHardKeys();
  outworld::environment::instance().enter_full_screen();
  LoadShown(m_rememberedCodebase);
  m_control->invalidate();
}

void CRemoteControlForm::LoadShown(std::string_view name) {
  if (name.empty()) return;
  if (m_control->load_codebase(name, m_rememberedPage) == zq::rc::ok) m_rememberedPage = m_control->current_page();
}

void CRemoteControlForm::RegisterHardKeys() {
  outworld::environment& environment = outworld::environment::instance();
  CWnd* parent = GetParent();
  CWnd* frame = parent != nullptr ? parent->GetParent() : nullptr;
  if (frame != nullptr && environment.attached_window() != frame->GetSafeHwnd()) (void)environment.attach(frame->GetSafeHwnd());
  for (const std::string& key : outworld::keys_to_capture(m_control->room().hard_buttons))
    environment.choose_key(zq::code_page_to_wide(key));
  environment.set_input_listener([this](const outworld::input_event& event) {
    remote::service* shown = m_control->shown_service();
    return shown != nullptr && shown->hard_key(event) == 1;
  });
}

void CRemoteControlForm::ReleaseHardKeys() {
  outworld::environment& environment = outworld::environment::instance();
  environment.forget_keys();
  environment.set_input_listener({});
}

void CRemoteControlForm::OnButton(const remote::button* b, std::string_view action) {
  if (action.starts_with("hot:")) {
    const auto answer = message_box(m_hWnd, zq::code_page_to_wide(remote::text::hot_button_empty), L"Zequon",
                                    message_box_icon_t::information, message_box_buttons_t::ok_cancel);
    if (answer == message_box_button_t::ok && m_runCommand) m_runCommand(command::hot_buttons);
    return;
  }
  if (b != nullptr && b->action.starts_with("hot:")) {
    char text[160];
    std::snprintf(text, sizeof text, remote::text::codebase_not_found, std::string(action).c_str());
    message_box(m_hWnd, zq::code_page_to_wide(text), L"Zequon", message_box_icon_t::exclamation,
                message_box_buttons_t::ok);
    return;
  }
  // The top panel's menu button flips the mode; "menu" itself only applies it.
  if (b != nullptr && b->action == "menu" && action == "menu") {
    outworld::environment& environment = outworld::environment::instance();
    environment.set_full_screen(!environment.full_screen());
  }
  redeye::error_t error;
  OnAction(m_control->remote().ir(), action, error);
}

void CRemoteControlForm::OnAction(redeye::context&, std::string_view action, redeye::error_t& error) {
  if (action.starts_with("@run:")) {
    (void)shell_open(zq::code_page_to_wide(action.substr(5)));
  } else if (action.starts_with("@remote:")) {
    std::string_view rest = action.substr(8);
    const std::size_t colon = rest.find(':');
    std::string name(rest.substr(0, colon));
    if (name.size() > longest_codebase_name) name.resize(longest_codebase_name);
    if (const zq::result_t rc = m_control->load_codebase(name, 0); rc != zq::rc::ok) {
      error.set(redeye::error_category::codebase_open, rc);
      return;
    }
    if (colon != std::string_view::npos) {
      redeye::error_t page_error;
      m_control->dispatch(m_control->remote().ir(), "@page:" + std::to_string(decimal_or_zero(rest.substr(colon + 1))),
                          page_error);
    }
    m_control->invalidate();
    m_rememberedCodebase = name;
  } else if (action.starts_with("@load-profile:")) {
    LoadProfile(action.substr(14));
  } else if (action.starts_with("@save-profile:")) {
    StoreState();
    if (const xman::preferences* preferences = xman::program_databases::instance().saved_preferences())
      (void)preferences->save_as(action.substr(14));
  } else if (action == "@device+" || action == "@device-") {
    NextCodebase(action == "@device+");
  } else if (action == "info" || action == "@info") {
    ShowHelp();
  } else if (action == "homedevices") {
    if (m_runCommand) m_runCommand(command::setup);
  } else if (action == "menu") {
    outworld::environment::instance().apply_full_screen();
    m_control->nav().refresh();
    m_control->invalidate();
  } else if (action == "minimize") {
    outworld::environment::instance().minimise();
  } else if (action == "remote" || action == "@remotelist") {
    OpenCodebaseList();
  } else if (action == "err_corrupted") {
    PostMessage(deferred_box_message, box_corrupted);
  } else if (action == "err_unknown_version") {
    PostMessage(deferred_box_message, box_too_new);
  }
}

void CRemoteControlForm::LoadProfile(std::string_view name) {
  const xman::preferences* preferences = xman::program_databases::instance().saved_preferences();
  if (preferences == nullptr || preferences->load(name) != zq::rc::ok) return;
  ReloadFromProfile();
}

void CRemoteControlForm::NextCodebase(bool forward) {
  const std::vector<std::string> names = installed_codebases();
  if (names.empty()) return;
  const std::string shown = m_control->current_codebase();
  std::string wanted;
  const auto at = std::find(names.begin(), names.end(), shown);
  if (shown.empty()) {
    wanted = names.front();
  } else if (forward) {
    if (at == names.end() || at + 1 == names.end()) return;
    wanted = *(at + 1);
  } else if (at == names.end()) {
    wanted = names.back();
  } else {
    if (at == names.begin()) return;
    wanted = *(at - 1);
  }
  if (m_control->load_codebase(wanted, 0) == zq::rc::ok) {
    m_rememberedCodebase = wanted;
    m_control->invalidate();
  }
}

void CRemoteControlForm::OpenCodebaseList() {
  if (m_listOpen) return;
  m_listOpen = true;
  ReleaseHardKeys();
  const bool changed = m_list.Select(installed_codebases(), m_control->current_codebase());
  RegisterHardKeys();
  m_listOpen = false;
  if (!changed) return;
  const std::string picked = m_list.Chosen();
  const zq::result_t rc = m_control->load_codebase(picked, 0);
  if (rc == zq::rc::ok) {
    m_control->invalidate();
    m_rememberedCodebase = picked;
  } else if (rc == zq::rc::codebase_too_new) {
    ShowBox(box_too_new);
  } else {
    ShowBox(box_cannot_open, std::to_string(rc));
  }
}

void CRemoteControlForm::ShowHelp() {
  CZQXHelpDlg(remote_screen_help_title(), remote_screen_help_body(), this).DoModal();
  outworld::environment::instance().apply_full_screen();
  m_control->invalidate();
}

void CRemoteControlForm::ShowBox(std::uint32_t which, std::string_view detail) {
  std::string text;
  switch (which) {
    case box_corrupted:
      text = remote::text::codebase_corrupted;
      break;
    case box_too_new:
      text = remote::text::codebase_too_new;
      break;
    case box_cannot_open: {
      char line[80];
      std::snprintf(line, sizeof line, remote::text::cannot_open_codebase, decimal_or_zero(detail));
      text = line;
      break;
    }
    default:
      return;
  }
  message_box(m_hWnd, zq::code_page_to_wide(text), L"Zequon", message_box_icon_t::error, message_box_buttons_t::ok);
}

void CRemoteControlForm::ShowDeferredBox(std::uint32_t which) { ShowBox(which); }

lresult_t CRemoteControlForm::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == deferred_box_message) {
    ShowDeferredBox(static_cast<std::uint32_t>(w));
    return 0;
  }
  return CWnd::WindowProc(message, w, l);
}

}  // namespace shell
