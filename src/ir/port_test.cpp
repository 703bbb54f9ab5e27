#include "ir/port_test.h"

#include "ir/context.h"
#include "ir/driver_registry.h"
#include "ir/port_test_signal.h"
#include "ir/send_signal.h"
#include "ir/transmit_time.h"
#include "platform/key_state.h"

namespace redeye {

std::optional<zq::result_t> test_port(std::wstring_view port_name, std::wstring_view stored_port) {
  CIrDrvr* driver = get_driver();
  if (driver == nullptr) return std::nullopt;

  driver->set_port_name(std::wstring(port_name));
  context ctx;
  ctx.sending.signal = port_test_signal();
  ctx.sending.pass_count = passes_default;
  send(ctx, platform::vk_stylus);
  driver->set_port_name(std::wstring(stored_port));
  return ctx.error.failed() ? ctx.error.code : zq::rc::ok;
}

std::wstring port_test_message(zq::result_t code) {
  if (code == zq::rc::ok) return L"Selected COM port looks good!";
  return L"Selected COM port won't work (error " + std::to_wstring(code) + L"). Try another port!";
}

}  // namespace redeye
