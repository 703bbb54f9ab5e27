// zqtool ir send: sends one signal of a codebase through the real pipeline (send_signal) and the
// driver of the processor's family. With --sim the driver runs against a simulated handheld on the
// virtual clock and the LED it drove is printed; with --lirc it goes out through a Linux IR device.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "codebase_file.h"
#include "command_options.h"
#include "ir/driver_registry.h"
#include "ir/send_signal.h"
#include "ir_commands.h"
#include "lirc_device_driver.h"
#include "platform/key_state.h"
#include "simulated_processor.h"
#include "simulated_session.h"
#include "storage/codebase.h"
#include "storage/database_catalog.h"

namespace zqtool {

namespace {

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A failed send: the driver's code for a driver failure, the storage code for a signal that
// cannot be read, 1023 for a name the codebase does not hold.
int report(const redeye::error_t& error) {
  switch (error.category) {
    case redeye::error_category::driver:
    case redeye::error_category::codebase_open:
      return fail(error.code);
    case redeye::error_category::name_missing:
      return fail(zq::rc::not_found);
    case redeye::error_category::no_driver:
      std::fprintf(stderr, "error: no IR driver for this processor\n");
      return 1;
    default:
      std::fprintf(stderr, "error: category %u code %d\n", static_cast<unsigned>(error.category),
                   static_cast<int>(error.code));
      return 1;
  }
}

struct send_request {
  const xman::codebase& codebase;
  std::string name;
  redeye::pass_choice passes = redeye::pass_choice::signal_default();
};

int send_simulated(const send_request& request, const command_options& options) {
  std::optional<hwsim::device_description> description = simulated_processor(*options.value("--sim"));
  if (!description) {
    std::fprintf(stderr, "zqtool: no simulated processor %s\n", options.value("--sim")->c_str());
    return usage(ir_usage);
  }
  if (const auto text = options.value("--clock")) {
    if (!parse_integer(*text, description->clock_hz)) return usage(ir_usage);
  }
  if (const auto text = options.value("--ir-uart")) {
    if (!parse_integer(*text, description->ir_uart) || description->ir_uart < 0 || description->ir_uart > 3)
      return usage(ir_usage);
  }
  std::optional<std::uint32_t> hold_ms;
  if (const auto text = options.value("--hold")) {
    std::uint32_t ms = 0;
    if (!parse_integer(*text, ms)) return usage(ir_usage);
    hold_ms = ms;
  }
  const std::wstring port = options.value("--port") ? wide(*options.value("--port")) : description->ir_port_name;

  simulated_session session(*description);
  redeye::CIrDrvr* driver = redeye::get_driver();
  if (driver != nullptr) driver->set_port_name(port);
  int hold_key = 0;
  if (hold_ms) {
    // The stylus goes down at the start and comes up after the given time.
    hold_key = platform::vk_stylus;
    platform::set_key_state(platform::vk_stylus, true);
    platform::schedule_key_state(platform::vk_stylus, false, std::uint64_t{*hold_ms} * 1000000u);
  }

  redeye::context ctx;
  ctx.codebase = &request.codebase;
  redeye::send_signal(ctx, request.codebase, request.name, request.passes, hold_key);
  if (ctx.error.failed()) return report(ctx.error);

  hwsim::device& device = session.device();
  std::string out;
  if (options.flags.contains("--edges")) {
    out = device.led().edges_text(device.timer_hz());
  } else {
    out = device.led().demodulated_text();
    out += "passes: " + std::to_string(driver->passes_played()) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

// On the real clock; the device times the signal, and nothing is printed on success.
int send_lirc(const send_request& request, const command_options& options) {
  int failure_status = 1;
  if (lirc_device_driver(*options.value("--lirc"), failure_status) == nullptr) return failure_status;
  redeye::context ctx;
  ctx.codebase = &request.codebase;
  redeye::send_signal(ctx, request.codebase, request.name, request.passes, 0);
  return ctx.error.failed() ? report(ctx.error) : 0;
}

}  // namespace

int ir_send(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1,
                            {"--sim", "--lirc", "--clock", "--passes", "--hold", "--ir-uart", "--port"},
                            {"--edges"}, options) ||
      options.positional.size() != 2 || options.has("--sim") == options.has("--lirc")) {
    return usage(ir_usage);
  }
  if (options.has("--lirc"))
    for (const char* simulated_only : {"--clock", "--hold", "--ir-uart", "--port", "--edges"})
      if (options.has(simulated_only)) return usage(ir_usage);
  redeye::pass_choice passes = redeye::pass_choice::signal_default();
  if (const auto text = options.value("--passes")) {
    std::uint16_t pass_count = 0;
    if (!parse_integer(*text, pass_count)) return usage(ir_usage);
    passes = redeye::pass_choice::passes(pass_count);
  }

  xman::database_catalog catalog;
  std::string internal;
  if (const zq::result_t rc = locate(options.positional[0], catalog, internal); rc != zq::rc::ok) return fail(rc);
  xman::codebase codebase(catalog);
  if (const zq::result_t rc = codebase.open(internal); rc != zq::rc::ok) return fail(rc);
  const send_request request{codebase, options.positional[1], passes};
  return options.has("--sim") ? send_simulated(request, options) : send_lirc(request, options);
}

}  // namespace zqtool
