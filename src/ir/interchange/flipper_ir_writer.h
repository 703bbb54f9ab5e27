// Writing signals as a Flipper ".ir" file ("Filetype: IR signals file", "Version: 1"), the format
// the Flipper Zero and the public code collections made for it use.
//
// A signal a protocol decoder recognises, and which that protocol's encoder gives back exactly
// (every reading: a toggling protocol's two readings are toggle 0 and toggle 1), is written as a
// "parsed" button (protocol, address, command); reading it encodes it again. Every other signal
// is written "raw": frequency, duty cycle and durations.
//
// What a raw button cannot hold, and what writing does then:
// - the repeat index: not written (reading gives a signal without a repeated part);
// - a second reading: only the first is written;
// - no carrier, a zero duration (a signal starting with a space among them), more than 1024
//   durations (the Flipper's own limit) or a duration above 2147483647 microseconds: 1096.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ir/interchange/interchange_signal.h"
#include "ir/protocols/protocol.h"

namespace redeye {

// A button as the Flipper names it: protocol name and address and command as little-endian
// 32-bit values ("NECext", address 0x7F04, command 0xF708 for device 0x04, subdevice 0x7F,
// function 0x08).
struct flipper_ir_button {
  std::string protocol;
  std::uint32_t address = 0;
  std::uint32_t command = 0;
};

// The Flipper's name and fields for protocol parameters, or nothing for a protocol or value the
// Flipper has no parsed form for (a Samsung32 code whose two address bytes differ, a Kaseikyo code
// with more than 6 function bits or a genre above 15...).
std::optional<flipper_ir_button> flipper_button_of(const protocols::protocol_parameters& parameters);

// The whole file for the signals, in their order.
interchange_write write_flipper_ir(const std::vector<named_signal>& signals);

}  // namespace redeye
