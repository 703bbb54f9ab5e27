#include "shell/main_frame.h"

#include "platform/dialog_messages.h"
#include "platform/message_queue.h"
#include "platform/module_program.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "platform/screen.h"
#include "shell/environment.h"
#include "shell/menu_commands.h"
#include "shell/preferences_popup.h"
#include "storage/settings.h"

using namespace platform;

namespace shell {

namespace {
constexpr const wchar_t* frame_class = L"ZqMainFrame";
// Posted to itself when a modal window disabled the frame, to look at it once it shows.
constexpr std::uint32_t modal_shown_message = wm::user + 1;
}

CMainFrame::CMainFrame(xman::settings& settings, int detected_screen_class)
    : m_settings(settings), m_view(settings, detected_screen_class) {}

rect CMainFrame::Placement() const {
  const rect screen = screen_surface().bounds();
  return {screen.left, screen.top, screen.right, screen.bottom - menu_bar::height()};
}

bool CMainFrame::Create() {
  CWnd::RegisterClass(frame_class, rgb(255, 255, 255));
  if (!CFrameWnd::Create(frame_class, L"Zequon", ws::overlapped | ws::visible, Placement())) return false;
  if (m_menuBar.create(m_hWnd, program_module(), frame_menu_id) != zq::rc::ok || !m_view.Create(*this)) return false;
  SetActiveView(&m_view);
  outworld::environment::instance().register_frame(m_menuBar.window(), m_hWnd);
  return true;
}

bool CMainFrame::PreTranslateMessage(msg& m) {
  // A wake-up that reaches the hidden frame is dropped.
  if (m.message == wm_wakeup && m.window == m_hWnd && !IsWindowVisible()) return true;
  return CFrameWnd::PreTranslateMessage(m);
}

bool CMainFrame::OnCmdMsg(std::uint32_t id) {
  if (CFrameWnd::OnCmdMsg(id)) return true;
  if (id == command::exit) {
    PostMessage(wm::close);
    return true;
  }
  return false;
}

void CMainFrame::ReenterFullScreen() {
  outworld::environment& environment = outworld::environment::instance();
  if (environment.full_screen()) environment.enter_full_screen();
}

lresult_t CMainFrame::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  switch (message) {
    case wm::initmenupopup: {
      auto* popup = reinterpret_cast<menu*>(w);
      if (popup != nullptr && is_preferences_popup(*popup)) {
        std::vector<std::string> recent;
        for (std::size_t i = 0; i < 5; ++i) recent.push_back(m_settings.recent_name(i));
        prepare_preferences_popup(*popup, outworld::environment::instance().orientix().supported(),
                                  m_settings.use_sounds(), recent);
      }
      return 0;
    }
    case wm::activate:
      if (m_onActivation) m_onActivation(m_hWnd, loword(w) != wa::inactive);
      if (loword(w) != wa::inactive) ReenterFullScreen();
      break;
    case wm_wakeup:
      // The shell shows its bars again after a wake-up.
      ReenterFullScreen();
      return 0;
    case wm::enable:
      // A modal window disables the frame. Once it shows, the bar gives way to it where it covers
      // the bar (a dialog takes the whole screen; a message box does not); it comes back afterwards
      // unless the remote screen is in full-screen mode.
      if (w == 0) {
        PostMessage(modal_shown_message);
      } else if (!outworld::environment::instance().full_screen()) {
        show_window(m_menuBar.window(), sw::shownoactivate);
      }
      break;
    case modal_shown_message: {
      const hwnd modal = active_window();
      if (!is_window_enabled(m_hWnd) && modal != no_window && modal != m_hWnd &&
          !window_rect(modal).intersect(window_rect(m_menuBar.window())).empty())
        show_window(m_menuBar.window(), sw::hide);
      return 0;
    }
    case wm::settingchange:
      // The screen turned: the frame takes the screen above the bar again.
      if (w == settingchange_reset) {
        MoveWindow(Placement());
        ReenterFullScreen();
      }
      break;
    case wm::windowposchanged: {
      // Only brought to the top (the shell showing the program again after another one):
      // full-screen mode again, and a program that was minimised hears that it woke up.
      const auto* change = reinterpret_cast<const window_pos*>(l);
      constexpr std::uint32_t only_raised = swp::nomove | swp::nosize | swp::noactivate | swp::noownerzorder;
      if (change != nullptr && (change->flags & only_raised) == only_raised && change->insert_after == hwnd_top) {
        ReenterFullScreen();
        outworld::environment& environment = outworld::environment::instance();
        if (environment.minimised() && active_window() == m_hWnd) {
          environment.set_minimised(false);
          PostMessage(wm_wakeup);
        }
      }
      break;
    }
    case wm::destroy:
      outworld::environment::instance().unregister_frame();
      m_menuBar.destroy();
      post_quit_message(0);
      break;
    default:
      break;
  }
  return CFrameWnd::WindowProc(message, w, l);
}

}  // namespace shell
