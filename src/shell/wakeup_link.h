// The program's side of waking up: the shared block in which it publishes its main window while it
// is the active application, zqxwakeup registered to run at every wake-up, and the system port
// through which zqxwakeup reaches the window. All of it lives as long as this object.
#pragma once

#include <string>

#include "platform/shared_memory.h"
#include "platform/system_port.h"
#include "platform/window_handle.h"

namespace shell {

class wakeup_link {
 public:
  // program_folder: where zqxwakeup lies (a handheld path).
  explicit wakeup_link(const std::wstring& program_folder);
  ~wakeup_link();
  wakeup_link(const wakeup_link&) = delete;
  wakeup_link& operator=(const wakeup_link&) = delete;

  // Whether the block is there to publish in.
  bool ready() const { return m_block.is_open(); }
  // The window in the block: the main window while active, no_window otherwise.
  void Publish(platform::hwnd window);

 private:
  platform::shared_memory m_block;
  platform::system_port m_port;
  std::wstring m_program;
};

}  // namespace shell
