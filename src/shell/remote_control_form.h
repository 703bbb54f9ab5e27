// CRemoteControlForm: the remote screen. It holds the top panel and the device area (a
// remote::window_control), the drop-down list of codebases, and the commands that buttons,
// macros and hard keys send. Hidden, it keeps only which codebase and page it showed; shown, it
// owns the screen in full-screen mode with the hard keys of the assignment table captured. Its
// state (hot list, hard buttons, codebase and page) is the room of the main profile.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "manage/codebases_list.h"
#include "platform/window_cwnd.h"
#include "remote/window_control.h"

namespace xman {
class settings;
}

namespace shell {

class CRemoteControlForm : public platform::CWnd {
 public:
  // run_command runs one of the main frame's menu commands (Setup, Hot Buttons).
  CRemoteControlForm(xman::settings& settings, std::function<void(std::uint32_t command)> run_command);
  ~CRemoteControlForm() override;

  // Creates the window over the whole of parent, hidden, and reads the room from the profile.
  bool Create(platform::CWnd& parent);

  void Show();
  // Writes the room, lets the keys go, remembers the codebase and page and unloads the device.
  void Hide();
  bool IsHidden() const { return m_hidden; }
  void SetCodebase(std::string_view name);
  // Lays the areas out on the parent's size.
  void Resize();
  // Writes the room into the main profile.
  void StoreState();
  // Reads the room again from the main profile (after preferences were loaded).
  void ReloadFromProfile();

  remote::window_control& Control() { return *m_control; }
  const std::string& RememberedCodebase() const { return m_rememberedCodebase; }
  std::int32_t RememberedPage() const { return m_rememberedPage; }

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;

 private:
  void OnAction(redeye::context& ctx, std::string_view action, redeye::error_t& error);
  void OnButton(const remote::button* b, std::string_view action);
  void OpenCodebaseList();
  void RegisterHardKeys();
  void ReleaseHardKeys();
  void ReadRoom();
  void LoadShown(std::string_view name);
  void NextCodebase(bool forward);
  void LoadProfile(std::string_view name);
  void ShowHelp();
  // Boxes asked for while the screen is being drawn are shown once the paint is over.
  void ShowDeferredBox(std::uint32_t which);
  void ShowBox(std::uint32_t which, std::string_view detail = {});

  xman::settings& m_settings;
  std::function<void(std::uint32_t)> m_runCommand;
  std::unique_ptr<remote::window_control> m_control;
  manage::CCodebasesList m_list;
  std::string m_rememberedCodebase;
  std::int32_t m_rememberedPage = 0;
  bool m_hidden = true;
  bool m_listOpen = false;
};

}  // namespace shell
