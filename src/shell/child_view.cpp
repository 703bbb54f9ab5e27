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

// The message shown where no driver serves the processor.
void report_no_ir_driver(hwnd owner) {
  const auto report = redeye::report_of(redeye::error_t{redeye::error_category::no_driver, 0});
  if (report) message_box(owner, zq::code_page_to_wide(report->text), L"Zequon", message_box_icon_t::exclamation,
                          message_box_buttons_t::ok);
}

}  // namespace

CChildView::CChildView(xman::settings& settings, int detected_screen_class)
    : m_settings(settings), m_detectedScreenClass(detected_screen_class), m_layoutScreenClass(detected_screen_class) {}

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
  if (redeye::CIrDrvr* driver = redeye::get_driver(); driver == nullptr) {
    report_no_ir_driver(m_hWnd);
  } else if (!m_settings.ir_port().empty()) {
    driver->set_port_name(m_settings.ir_port());
  } else {
    CIrSetupDlg(m_settings, this).DoModal();
    AfterDialog();
  }
  return true;
}

void CChildView::AfterDialog() { outworld::environment::instance().orientix().apply(m_settings, false); }

bool CChildView::OnCmdMsg(std::uint32_t id) {
  switch (id) {
    case command::about:
      CAboutDlg(this).DoModal();
      AfterDialog();
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
  CFlipScreenDlg screen(m_settings, outworld::environment::instance().orientix().query(), m_detectedScreenClass,
                        this);
  if (screen.DoModal() == static_cast<int>(idok) && m_settings.screen_class() != -1)
    m_layoutScreenClass = m_settings.screen_class();
  AfterDialog();
}

void CChildView::OnIrSetup() {
  if (redeye::get_driver() == nullptr) {
    report_no_ir_driver(m_hWnd);
    return;
  }
  CIrSetupDlg(m_settings, this).DoModal();
  AfterDialog();
}

void CChildView::OnRecentPreferences(std::uint32_t id) {
  const std::string name = m_settings.recent_name(id - command::first_recent);
  const xman::preferences* preferences = xman::program_databases::instance().saved_preferences();
  if (name.empty() || preferences == nullptr) return;
  if (preferences->load(name) == zq::rc::ok) {
    (void)preferences->remember(name);
    return;
  }
  (void)preferences->forget(name);
  message_box(m_hWnd, L"Cannot open preferences database " + zq::code_page_to_wide(name) + L".", L"Zequon",
              message_box_icon_t::stop, message_box_buttons_t::ok);
}

}  // namespace shell
