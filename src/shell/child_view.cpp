#include "shell/child_view.h"

#include <string>

#include "base/text_conversion.h"
#include "ir/driver_registry.h"
#include "ir/error_report.h"
#include "ir/setup/ir_setup_dlg.h"
#include "manage/about_dlg.h"
#include "manage/flip_screen_dlg.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/pixel_surface.h"
#include "remote/layer.h"
#include "shell/environment.h"
#include "shell/menu_commands.h"
#include "storage/program_databases.h"
#include "storage/settings.h"

using namespace platform;

namespace shell {

namespace {

constexpr const wchar_t* view_class = L"ZqChildView";
constexpr std::uint32_t view_id = 0xE900;
// How long the display takes to settle after it turned at start.
constexpr std::uint32_t display_settle_ms = 500;
// What the other forms tell the view when they are done.
constexpr std::uint32_t learn_form_done = wm::user + 1;
constexpr std::uint32_t edit_form_done = wm::user + 2;
constexpr std::uint32_t welcome_form_done = wm::user + 4;

// The message shown where no driver serves the processor.
void report_no_ir_driver(hwnd owner) {
  const auto report = redeye::report_of(redeye::error_t{redeye::error_category::no_driver, 0});
  if (report) message_box(owner, zq::code_page_to_wide(report->text), L"Zequon", message_box_icon_t::exclamation,
                          message_box_buttons_t::ok);
}

}  // namespace

CChildView::CChildView(xman::settings& settings, int detected_screen_class)
    : m_settings(settings), m_detectedScreenClass(detected_screen_class), m_layoutScreenClass(detected_screen_class) {}

CChildView::~CChildView() {
  if (m_remoteForm) m_remoteForm->Hide();
}

bool CChildView::Create(CWnd& frame) {
  CWnd::RegisterClass(view_class, rgb(255, 255, 255));
  return CWnd::Create(view_class, L"", ws::child | ws::visible, frame.GetClientRect(), &frame, view_id);
}

bool CChildView::StartUp() {
  outworld::orientix_client& orientix = outworld::environment::instance().orientix();
  if (orientix.supported()) {
    if (m_settings.screen_orientation() == -1 || m_settings.screen_class() == -1) {
      CFlipScreenDlg screen(m_settings, orientix.query(), m_detectedScreenClass, this);
      if (screen.DoModal() == -1) return false;
    }
    if (m_settings.screen_class() != -1) m_layoutScreenClass = m_settings.screen_class();
    const std::int32_t before = orientix.query();
    orientix.apply(m_settings, true);
    // A display that turned takes a moment to settle; one that stayed needs no wait.
    if (orientix.query() != before) clock::sleep(display_settle_ms);
  }
  layer::set_screen_class(m_layoutScreenClass);
  if (redeye::CIrDrvr* driver = redeye::get_driver(); driver == nullptr) {
    report_no_ir_driver(m_hWnd);
  } else if (!m_settings.ir_port().empty()) {
    driver->set_port_name(m_settings.ir_port());
  } else {
    CIrSetupDlg(m_settings, this).DoModal();
    AfterDialog();
  }
  m_remoteForm = std::make_unique<CRemoteControlForm>(m_settings, [this](std::uint32_t command) { OnCmdMsg(command); });
  if (!m_remoteForm->Create(*this)) {
    m_remoteForm.reset();
    return false;
  }
  m_remoteForm->Show();
  return true;
}

void CChildView::Park() {
  if (m_remoteForm) m_remoteForm->Hide();
}

void CChildView::ShowRemoteForm() {
  if (m_remoteForm) m_remoteForm->Show();
}

lresult_t CChildView::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::size:
      if (m_remoteForm) m_remoteForm->Resize();
      break;
    case learn_form_done:
    case edit_form_done:
    case welcome_form_done:
      AfterDialog();
      ShowRemoteForm();
      return 0;
    default:
      break;
  }
  return CWnd::WindowProc(message, w, l);
}

void CChildView::AfterDialog() { outworld::environment::instance().orientix().apply(m_settings, false); }

bool CChildView::OnCmdMsg(std::uint32_t id) {
  switch (id) {
    case command::about:
      Park();
      CAboutDlg(this).DoModal();
      AfterDialog();
      ShowRemoteForm();
      return true;
    case command::save_preferences:
      if (m_remoteForm) m_remoteForm->StoreState();
      return true;
    case command::flip_screen:
      OnFlipScreen();
      return true;
    case command::ir_setup:
      OnIrSetup();
      return true;
    case command::use_sounds:
      // A settings file that cannot be written still leaves the choice in force for this run.
      (void)m_settings.set_use_sounds(!m_settings.use_sounds());
      return true;
    default:
      break;
  }
  if (id >= command::first_recent && id <= command::last_recent) {
    OnRecentPreferences(id);
    return true;
  }
  return CWnd::OnCmdMsg(id);
}

void CChildView::OnFlipScreen() {
  Park();
  CFlipScreenDlg screen(m_settings, outworld::environment::instance().orientix().query(), m_detectedScreenClass,
                        this);
  const int result = screen.DoModal();
  if (result == static_cast<int>(idok) && m_settings.screen_class() != -1) {
    m_layoutScreenClass = m_settings.screen_class();
    layer::set_screen_class(m_layoutScreenClass);
  }
  AfterDialog();
  if (result != -1) ShowRemoteForm();
}

void CChildView::OnIrSetup() {
  if (redeye::get_driver() == nullptr) {
    report_no_ir_driver(m_hWnd);
    return;
  }
  Park();
  CIrSetupDlg(m_settings, this).DoModal();
  AfterDialog();
  ShowRemoteForm();
}

void CChildView::OnRecentPreferences(std::uint32_t id) {
  const std::string name = m_settings.recent_name(id - command::first_recent);
  const xman::preferences* preferences = xman::program_databases::instance().saved_preferences();
  if (name.empty() || preferences == nullptr) return;
  if (preferences->load(name) == zq::rc::ok) {
    (void)preferences->remember(name);
    if (m_remoteForm) m_remoteForm->ReloadFromProfile();
    return;
  }
  (void)preferences->forget(name);
  message_box(m_hWnd, L"Cannot open preferences database " + zq::code_page_to_wide(name) + L".", L"Zequon",
              message_box_icon_t::stop, message_box_buttons_t::ok);
}

}  // namespace shell
