#include "shell/zequon_app.h"

#include "base/text_conversion.h"
#include "dialogs/screen_class.h"
#include "dialogs/zqx_base_dlg.h"
#include "ir/maker_contact.h"
#include "platform/message_box.h"
#include "platform/module_program.h"
#include "platform/program_folder.h"
#include "remote/skin_libraries.h"
#include "shell/environment.h"
#include "shell/program_callbacks.h"
#include "storage/program_databases.h"
#include "storage/settings.h"

using namespace platform;

namespace shell {

namespace {

void stop_with(std::wstring_view text) {
  message_box(no_window, text, L"Zequon", message_box_icon_t::stop, message_box_buttons_t::ok);
}

std::wstring widened(std::string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

CZequonApp::CZequonApp() {
  outworld::environment::instance().orientix().load();
  m_wakeup = std::make_unique<wakeup_link>(program_folder());
}

CZequonApp::~CZequonApp() {
  CZQXBaseDlg::SetActivationHandler({});
  m_wakeup.reset();
  outworld::environment::instance().orientix().unload();
}

void CZequonApp::ExitInstance() {
  outworld::environment::instance().orientix().restore(xman::settings::instance());
}

void CZequonApp::OnActivation(hwnd window, bool active) {
  outworld::environment::instance().on_activation(window, active, xman::settings::instance(),
                                                  [this](hwnd published) { m_wakeup->Publish(published); });
}

// Images are decoded by the platform's own decoders (BMP, PNG and GIF through stb_image), so no
// decoder libraries are loaded.
bool CZequonApp::InitInstance() {
  const int screen_class = dialogs::current_screen_class();
  if (screen_class == dialogs::screen_class_unsupported) {
    stop_with(L"Zequa does not support this screen resolution. Check compatibility at " +
              widened(redeye::devices_web_address) + L".");
    return false;
  }
  const std::wstring folder = program_folder();
  remote::skin_libraries::instance().set_folder(folder + L"\\Skins");
  if (!LoadSkins()) return false;

  xman::settings::set_path(folder + L"\\Zequon.pref");
  xman::settings& settings = xman::settings::instance();
  xman::program_databases::instance().set_up(folder, settings);
  install_program_callbacks(outworld::environment::instance(), settings);

  m_frame = new CMainFrame(settings, screen_class);
  m_frame->SetOnActivation([this](hwnd window, bool active) { OnActivation(window, active); });
  CZQXBaseDlg::SetActivationHandler([this](hwnd window, bool active) { OnActivation(window, active); });
  if (!m_frame->Create()) {
    // With its window the frame deletes itself; without one nothing else would.
    if (m_frame->GetSafeHwnd() != no_window) {
      m_frame->DestroyWindow();
    } else {
      delete m_frame;
    }
    m_frame = nullptr;
    return false;
  }
  m_frameWindow = m_frame->GetSafeHwnd();
  if (!m_frame->View().StartUp()) {
    m_frame->DestroyWindow();
    m_frame = nullptr;
    return false;
  }
  bring_window_to_top(m_frameWindow);
  return true;
}

bool CZequonApp::LoadSkins() {
  remote::skin_libraries& skins = remote::skin_libraries::instance();
  if (skins.load(remote::system_skin_name) != zq::rc::ok) {
    stop_with(L"Zequa failed to open the system skin file, zq-skin-system.dll");
    return false;
  }
  if (skins.load(remote::default_skin_name) != zq::rc::ok) {
    stop_with(L"Zequa failed to open the default skin file, zq-skin-metalic.dll");
    return false;
  }
  skins.select(remote::default_skin_name);
  return true;
}

CMainFrame* CZequonApp::Frame() const { return is_window(m_frameWindow) ? m_frame : nullptr; }

}  // namespace shell
