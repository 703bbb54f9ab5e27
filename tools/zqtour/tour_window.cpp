#include "tour_window.h"

#include <utility>

#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/png_writer.h"
#include "platform/screen.h"

using namespace platform;

namespace zqtour {

namespace {
constexpr std::uint32_t vk_escape = 0x1B;
}

CTourWindow::CTourWindow(std::filesystem::path folder) : m_folder(std::move(folder)) {}

void CTourWindow::PhotographNext(std::string name) {
  m_next = std::move(name);
  PostMessage(wm::user);
}

lresult_t CTourWindow::WindowProc(std::uint32_t message, wparam_t w, lparam_t l) {
  if (message == wm::user) {
    Photograph();
    return 0;
  }
  return CWnd::WindowProc(message, w, l);
}

void CTourWindow::Photograph() {
  process_pending_messages();  // the dialog's paints
  const std::filesystem::path file = m_folder / (m_next + ".png");
  (write_png(screen_surface(), file.wstring()) == 0 ? m_written : m_failed).push_back(file);
  headless::key(vk_escape);
}

}  // namespace zqtour
