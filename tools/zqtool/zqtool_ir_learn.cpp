// zqtool ir learn: captures one signal with the driver of the processor's family and prints it as
// "zqtool pronto" does. With --sim the waveform of a file (what a remote emits) is played into the
// receiver of a simulated handheld on the virtual clock; with --lirc a Linux IR device listens.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "command_options.h"
#include "hwsim/ir_receiver.h"
#include "ir/driver_registry.h"
#include "ir_commands.h"
#include "lirc_device_driver.h"
#include "signal_printer.h"
#include "simulated_processor.h"
#include "simulated_session.h"

namespace zqtool {

namespace {

// The remote starts sending this long after the capture begins, so the receiver is seen idle first.
constexpr std::uint64_t remote_lead_ns = 1000000;
constexpr std::uint32_t default_carrier_hz = 38000;

std::optional<std::string> read_text(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return text.str();
}

int learn_simulated(const command_options& options) {
  std::optional<hwsim::device_description> description = simulated_processor(*options.value("--sim"));
  if (!description) {
    std::fprintf(stderr, "zqtool: no simulated processor %s\n", options.value("--sim")->c_str());
    return usage(ir_usage);
  }
  if (const auto text = options.value("--clock")) {
    if (!parse_integer(*text, description->clock_hz)) return usage(ir_usage);
  }
  std::uint32_t carrier_hz = default_carrier_hz;
  if (const auto text = options.value("--carrier")) {
    if (!parse_integer(*text, carrier_hz) || carrier_hz == 0) return usage(ir_usage);
  }
  const std::string input = *options.value("--input");
  const std::optional<std::string> text = read_text(input);
  if (!text) {
    std::fprintf(stderr, "zqtool: cannot read %s\n", input.c_str());
    return 1;
  }
  std::vector<std::int32_t> waveform;
  if (!hwsim::ir_receiver::parse_waveform(*text, waveform)) {
    std::fprintf(stderr, "zqtool: %s: expected \"pulse US\" and \"space US\" lines\n", input.c_str());
    return 1;
  }

  simulated_session session(*description);
  session.device().receiver().play(waveform, carrier_hz, remote_lead_ns);
  redeye::CIrDrvr* driver = redeye::get_driver();
  if (driver == nullptr) {
    std::fprintf(stderr, "error: no IR driver for this processor\n");
    return 1;
  }
  driver->set_port_name(description->ir_port_name);
  if (const zq::result_t rc = driver->receive(); rc != zq::rc::ok) return fail(rc);
  print_signal(driver->captured_signal());
  return 0;
}

// On the real clock: waits up to 20 s for the remote.
int learn_lirc(const command_options& options) {
  int failure_status = 1;
  redeye::CIrDrvr* driver = lirc_device_driver(*options.value("--lirc"), failure_status);
  if (driver == nullptr) return failure_status;
  if (const zq::result_t rc = driver->receive(); rc != zq::rc::ok) return fail(rc);
  print_signal(driver->captured_signal());
  return 0;
}

}  // namespace

int ir_learn(const arguments& args) {
  command_options options;
  if (!read_command_options(args, 1, {"--sim", "--lirc", "--clock", "--input", "--carrier"}, {}, options) ||
      !options.positional.empty() || options.has("--sim") == options.has("--lirc")) {
    return usage(ir_usage);
  }
  if (options.has("--sim")) {
    if (!options.has("--input")) return usage(ir_usage);
    return learn_simulated(options);
  }
  for (const char* simulated_only : {"--clock", "--input", "--carrier"})
    if (options.has(simulated_only)) return usage(ir_usage);
  return learn_lirc(options);
}

}  // namespace zqtool
