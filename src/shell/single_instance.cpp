#include "shell/single_instance.h"

#include <algorithm>

#include "platform/desktop_window.h"
#include "platform/message_queue.h"
#include "platform/window.h"

namespace shell {

single_instance::~single_instance() {
  if (m_idleWork != 0) platform::remove_idle_work(m_idleWork);
}

bool single_instance::claim(const std::wstring& program) {
  // The program's path with its separators as slashes names the mutex.
  m_name = program;
  std::replace(m_name.begin(), m_name.end(), L'\\', L'/');
  bool exists = false;
  // A mutex that cannot be made at all does not stop the program.
  if (m_mutex.create(m_name, exists) != 0) return true;
  return !exists;
}

bool single_instance::ask_running_one_forward() { return platform::request_activation(m_name); }

void single_instance::serve_requests(std::function<platform::hwnd()> front) {
  if (m_idleWork != 0) platform::remove_idle_work(m_idleWork);
  m_idleWork = platform::add_idle_work([this, front = std::move(front)] {
    if (!m_mutex.take_activation_request()) return;
    if (const platform::hwnd window = front(); window != platform::no_window) platform::bring_window_to_top(window);
    platform::raise_desktop_window();
  });
}

}  // namespace shell
