#include "ir/interchange/flipper_ir_writer.h"

#include <cstdint>
#include <cstdio>
#include <limits>

#include "ir/protocols/protocol_list.h"
#include "ir/protocols/protocol_registry.h"

namespace redeye {
namespace {

using protocols::protocol_parameters;

// The Flipper's own limit of timings in a raw button.
constexpr std::size_t most_raw_durations = 1024;

bool same_signal(const signal_data& a, const signal_data& b) {
  return a.durations == b.durations && a.carrier_period == b.carrier_period && a.repeat_index == b.repeat_index;
}

// The protocol parameters when encoding them gives back every reading exactly.
std::optional<protocol_parameters> exact_protocol(const named_signal& signal) {
  if (signal.readings.empty() || signal.readings.size() > 2) return std::nullopt;
  const std::optional<protocol_parameters> decoded = protocols::decode_protocol(signal.readings.front().durations);
  if (!decoded) return std::nullopt;
  const protocols::protocol* format = nullptr;
  if (protocols::check_parameters(*decoded, format) != zq::rc::ok) return std::nullopt;
  if (signal.readings.size() != (format->toggles ? 2U : 1U)) return std::nullopt;
  for (unsigned toggle = 0; toggle < signal.readings.size(); ++toggle) {
    signal_data encoded;
    if (protocols::encode_protocol(*decoded, toggle, encoded) != zq::rc::ok ||
        !same_signal(encoded, signal.readings[toggle])) {
      return std::nullopt;
    }
  }
  return decoded;
}

// Four bytes, least significant first: "04 00 00 00".
std::string byte_list(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02X %02X %02X %02X", value & 0xFFU, value >> 8 & 0xFFU, value >> 16 & 0xFFU,
                value >> 24 & 0xFFU);
  return text;
}

// The Kaseikyo address and command: the vendor code in bits 8..23, the device (genre 1) in bits
// 4..7 and the low subdevice nibble (genre 2) in bits 0..3; the command is the 6-bit function
// above the high subdevice nibble.
std::optional<flipper_ir_button> kaseikyo_button(std::uint32_t vendor, std::uint32_t genre1,
                                                 const protocol_parameters& parameters) {
  if (genre1 > 0xF || parameters.function > 0x3F) return std::nullopt;
  return flipper_ir_button{"Kaseikyo", vendor << 8 | genre1 << 4 | (parameters.subdevice & 0xFU),
                           parameters.function << 4 | parameters.subdevice >> 4};
}

}  // namespace

std::optional<flipper_ir_button> flipper_button_of(const protocol_parameters& parameters) {
  const std::string& name = parameters.protocol;
  const std::uint32_t device = parameters.device;
  const std::uint32_t subdevice = parameters.subdevice;
  const std::uint32_t function = parameters.function;
  if (name == "NEC") return flipper_ir_button{"NEC", device, function};
  // The Flipper's 16-bit command carries the inverted function as its high byte, as sent.
  if (name == "NECext") return flipper_ir_button{"NECext", device | subdevice << 8, function | (~function & 0xFFU) << 8};
  if (name == "Samsung32") {
    if (device != subdevice) return std::nullopt;
    return flipper_ir_button{"Samsung32", device, function};
  }
  if (name == "RC5") return flipper_ir_button{function < 0x40 ? "RC5" : "RC5X", device, function & 0x3FU};
  if (name == "RC6") return flipper_ir_button{"RC6", device, function};
  if (name == "Sony12") return flipper_ir_button{"SIRC", device, function};
  if (name == "Sony15") return flipper_ir_button{"SIRC15", device, function};
  if (name == "Sony20") return flipper_ir_button{"SIRC20", device | subdevice << 5, function};
  if (name == "Panasonic") {
    if ((device & 0xFU) != 0) return std::nullopt;
    return kaseikyo_button(protocols::panasonic_vendor, device >> 4, parameters);
  }
  if (name == "Kaseikyo") return kaseikyo_button(parameters.vendor, device, parameters);
  return std::nullopt;
}

interchange_write write_flipper_ir(const std::vector<named_signal>& signals) {
  interchange_write result;
  result.text = "Filetype: IR signals file\nVersion: 1\n";
  const auto refuse = [](const std::string& name) {
    interchange_write failed;
    failed.code = zq::rc::interchange_cannot_hold;
    failed.failed_name = name;
    return failed;
  };
  for (const named_signal& signal : signals) {
    if (trim_blanks(signal.name).empty() || signal.name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos ||
        signal.readings.empty()) {
      return refuse(signal.name);
    }
    result.text += "# \nname: " + signal.name + '\n';
    const std::optional<protocol_parameters> parameters = exact_protocol(signal);
    const std::optional<flipper_ir_button> button = parameters ? flipper_button_of(*parameters) : std::nullopt;
    if (button) {
      result.text += "type: parsed\nprotocol: " + button->protocol + "\naddress: " + byte_list(button->address) +
                     "\ncommand: " + byte_list(button->command) + '\n';
      continue;
    }
    const signal_data& reading = signal.readings.front();
    if (reading.carrier_period == 0 || reading.durations.empty() || reading.durations.size() > most_raw_durations) {
      return refuse(signal.name);
    }
    const alternating_durations written = alternate(reading, false);
    std::string data;
    for (const std::uint32_t magnitude : written.magnitudes) {
      if (magnitude == 0 || magnitude > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        return refuse(signal.name);
      }
      data += (data.empty() ? "" : " ") + std::to_string(magnitude);
    }
    result.text += "type: raw\nfrequency: " + std::to_string(frequency_of_period(reading.carrier_period)) +
                   "\nduty_cycle: 0.330000\ndata: " + data + '\n';
  }
  return result;
}

}  // namespace redeye
