#include "wakeup/wakeup_notice.h"

#include <cstdint>

#include "base/wakeup_channel.h"
#include "platform/shared_memory.h"
#include "platform/system_port.h"
#include "platform/system_port_request.h"

namespace wakeup {

int notify_running_program() {
  platform::shared_memory block;
  bool existed = false;
  const int rc = block.open_or_create(zq::wakeup_block_name, zq::wakeup_block_size, existed);
  if (rc != 0) return existed ? exit_code::cannot_map : exit_code::cannot_open;
  if (!existed) {
    block.close();  // the block made just now goes again with its maker
    return exit_code::not_running;
  }
  std::uint32_t handle = 0;
  if (!block.read_u32(0, handle)) return exit_code::cannot_map;
  if (handle != 0) {
    const platform::hwnd window = platform::hwnd_of(handle);
    const std::uint32_t in_front = platform::window_state::visible | platform::window_state::foreground;
    const auto state = platform::query_window_across(window);
    if (state && (*state & in_front) == in_front)
      (void)platform::post_message_across(window, platform::wm_wakeup, 0, 0);
  }
  return exit_code::done;
}

}  // namespace wakeup
