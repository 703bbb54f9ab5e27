// An IR protocol: how the parameters of one button (vendor, device, subdevice, function) become
// the durations a remote sends, and how durations are recognised as that protocol again.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ir/signal_data.h"

namespace redeye::protocols {

// The parameters of one button of a remote. A protocol uses some of the fields (see
// protocol::fields); the others stay 0.
struct protocol_parameters {
  std::string protocol;  // canonical protocol name, e.g. "NEC"
  std::uint32_t vendor = 0;
  std::uint32_t device = 0;
  std::uint32_t subdevice = 0;
  std::uint32_t function = 0;

  friend bool operator==(const protocol_parameters&, const protocol_parameters&) = default;
};

enum class field_t : std::uint8_t { vendor, device, subdevice, function };

struct field_spec {
  field_t field;
  std::uint8_t bits;  // the field holds 0 .. 2^bits - 1
};

// Fills `out` with the signal of parameters already checked against the protocol's fields. toggle
// is the press-state bit of protocols that have one (0 or 1), ignored by the others.
using encoder_fn = void (*)(const protocol_parameters& parameters, unsigned toggle, signal_data& out);
// Recognises one frame at the start of durations. On a match fills `out` (protocol name included;
// a decoder may answer with a sibling form of its protocol) and returns true; else leaves it alone.
using decoder_fn = bool (*)(std::span<const std::int32_t> durations, protocol_parameters& out);

struct protocol {
  std::string_view name;
  std::array<field_spec, 4> fields;  // in text order; the first field_count are used
  std::uint8_t field_count;
  bool toggles;          // stored with two readings, toggle 0 and toggle 1
  encoder_fn encode;
  decoder_fn decode;     // nullptr for a form recognised by a sibling's decoder

  std::span<const field_spec> used_fields() const { return {fields.data(), field_count}; }
};

// The value of one field of the parameters.
std::uint32_t field_value(const protocol_parameters& parameters, field_t field);
std::uint32_t& field_value(protocol_parameters& parameters, field_t field);

// Carrier periods in microseconds (the nearest whole period to each frequency).
inline constexpr std::uint16_t carrier_36khz = 28;
inline constexpr std::uint16_t carrier_37khz = 27;
inline constexpr std::uint16_t carrier_38khz = 26;
inline constexpr std::uint16_t carrier_40khz = 25;
inline constexpr std::uint16_t carrier_56khz = 18;

}  // namespace redeye::protocols
