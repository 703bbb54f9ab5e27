#include "shell/wakeup_link.h"

#include "base/wakeup_channel.h"
#include "platform/wakeup_programs.h"

namespace shell {

wakeup_link::wakeup_link(const std::wstring& program_folder) : m_program(program_folder + L"\\zqxwakeup") {
  bool existed = false;
  if (m_block.open_or_create(zq::wakeup_block_name, zq::wakeup_block_size, existed) != 0) return;
  // Without the port zqxwakeup cannot reach the window, but the program goes on all the same.
  (void)m_port.open();
  // A registration an earlier run left behind is replaced.
  (void)platform::clear_wakeup_program(m_program);
  (void)platform::register_wakeup_program(m_program);
}

wakeup_link::~wakeup_link() {
  if (!m_block.is_open()) return;
  (void)platform::clear_wakeup_program(m_program);
  m_block.close();
}

void wakeup_link::Publish(platform::hwnd window) {
  if (m_block.is_open()) m_block.write_u32(0, platform::handle_value(window));
}

}  // namespace shell
