#include "ir/interchange/flipper_ir_conversion.h"

#include <string>
#include <string_view>

#include "ir/protocols/protocol_list.h"
#include "ir/protocols/protocol_registry.h"

namespace redeye {
namespace {

using protocols::protocol_parameters;

protocol_parameters make(std::string_view name, std::uint32_t vendor, std::uint32_t device, std::uint32_t subdevice,
                         std::uint32_t function) {
  return protocol_parameters{std::string(name), vendor, device, subdevice, function};
}

// An 8-bit field that some files write as 16 bits, the second byte the inverse of the first as
// the frame sends it (or, with copy_too, the same byte again): the first byte. Else a value above 0xFF.
std::uint32_t frame_byte(std::uint32_t value, bool copy_too) {
  const std::uint32_t low = value & 0xFF;
  const std::uint32_t high = value >> 8;
  if (value <= 0xFF || high == (~low & 0xFF) || (copy_too && high == low)) return low;
  return 0x100;
}

// The parameters a Flipper protocol name and its fields stand for; an empty protocol name when
// the button cannot be expressed.
protocol_parameters map_button(std::string_view name, std::uint32_t address, std::uint32_t command) {
  if (name == "NEC" && frame_byte(address, false) <= 0xFF && frame_byte(command, false) <= 0xFF) {
    return make("NEC", 0, frame_byte(address, false), 0, frame_byte(command, false));
  }
  if (name == "NECext" && address <= 0xFFFF && frame_byte(command, false) <= 0xFF) {
    return make("NECext", 0, address & 0xFF, address >> 8, frame_byte(command, false));
  }
  if (name == "Samsung32" && address <= 0xFFFF && frame_byte(command, true) <= 0xFF) {
    // The address byte is sent twice; a 16-bit address gives the second byte itself.
    return make("Samsung32", 0, address & 0xFF, address <= 0xFF ? address : address >> 8, frame_byte(command, true));
  }
  if (name == "RC5" && address <= 0x1F && command <= 0x3F) return make("RC5", 0, address, 0, command);
  if (name == "RC5X" && address <= 0x1F && command <= 0x7F) return make("RC5", 0, address, 0, command | 0x40);
  if (name == "RC6" && address <= 0xFF && command <= 0xFF) return make("RC6", 0, address, 0, command);
  if (name == "SIRC" && address <= 0x1F && command <= 0x7F) return make("Sony12", 0, address, 0, command);
  if (name == "SIRC15" && address <= 0xFF && command <= 0x7F) return make("Sony15", 0, address, 0, command);
  if (name == "SIRC20" && address <= 0x1FFF && command <= 0x7F) {
    return make("Sony20", 0, address & 0x1F, address >> 5, command);
  }
  if (name == "Kaseikyo" && address <= 0xFFFFFF && command <= 0x3FF) {
    // Frame bytes: vendor (2), parity and genre 1, genre 2 and the low data bits, the high data
    // bits; the identifier bits (address bits 24..) must be 0.
    const std::uint32_t vendor = (address >> 8) & 0xFFFF;
    const std::uint32_t genre1 = (address >> 4) & 0xF;
    const std::uint32_t genre2 = address & 0xF;
    const std::uint32_t subdevice = genre2 | (command & 0xF) << 4;
    const std::uint32_t function = command >> 4;
    if (vendor == protocols::panasonic_vendor) return make("Panasonic", 0, genre1 << 4, subdevice, function);
    return make("Kaseikyo", vendor, genre1, subdevice, function);
  }
  return {};
}

}  // namespace

zq::result_t flipper_ir_parameters(const flipper_ir_signal& button, protocols::protocol_parameters& out) {
  if (button.kind != flipper_ir_kind_t::parsed) return zq::rc::flipper_ir_unsupported;
  protocol_parameters parameters = map_button(button.protocol, button.address, button.command);
  const protocols::protocol* found = nullptr;
  if (parameters.protocol.empty() || protocols::check_parameters(parameters, found) != zq::rc::ok) {
    return zq::rc::flipper_ir_unsupported;
  }
  out = std::move(parameters);
  return zq::rc::ok;
}

zq::result_t flipper_ir_raw_signal(const flipper_ir_signal& button, signal_data& out) {
  if (button.kind != flipper_ir_kind_t::raw || button.frequency < 16 || button.frequency > 1000000 ||
      button.durations.empty()) {
    return zq::rc::flipper_ir_unsupported;
  }
  signal_data signal;
  signal.durations = button.durations;
  signal.carrier_period = static_cast<std::uint16_t>((1000000U + button.frequency / 2) / button.frequency);
  signal.repeat_index = static_cast<std::uint16_t>(signal.durations.size());
  out = std::move(signal);
  return zq::rc::ok;
}

}  // namespace redeye
