// The tour's window: a plain screen that owns each dialog of the tour. When the tour photographs,
// a message posted just before a dialog opens arrives inside the dialog's loop: the window lets
// the dialog paint, writes the screen to FOLDER/NAME.png and closes the dialog with Escape.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/window_cwnd.h"

namespace zqtour {

class CTourWindow : public platform::CWnd {
 public:
  // An empty folder: the dialogs wait for the user.
  explicit CTourWindow(std::filesystem::path folder);

  // Asks for the picture of the dialog about to open.
  void PhotographNext(std::string name);
  // The pictures written and the ones that could not be.
  const std::vector<std::filesystem::path>& Written() const { return m_written; }
  const std::vector<std::filesystem::path>& Failed() const { return m_failed; }
  bool Photographing() const { return !m_folder.empty(); }

  platform::lresult_t WindowProc(std::uint32_t message, platform::wparam_t w, platform::lparam_t l) override;

 private:
  void Photograph();

  std::filesystem::path m_folder;
  std::string m_next;
  std::vector<std::filesystem::path> m_written;
  std::vector<std::filesystem::path> m_failed;
};

}  // namespace zqtour
