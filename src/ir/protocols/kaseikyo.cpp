// Kaseikyo (the Japanese manufacturers' 48-bit format): a 3.46 ms burst and a 1.73 ms space, then
// 48 pulse-distance bits of 432-microsecond units, least significant first, and a stop burst;
// 74.7 ms of silence follow and the whole frame repeats while the button is held. The six bytes:
// a 16-bit vendor code (low byte first), a byte of a 4-bit vendor parity (the four nibbles of the
// vendor code XORed) and a 4-bit device, the subdevice, the function, and the XOR of the three
// bytes before it. Panasonic's vendor code 0x2002 has parity 0 and uses that whole byte as an
// 8-bit device; it is its own protocol so that its devices read as Panasonic.
#include "ir/protocols/duration_reader.h"
#include "ir/protocols/protocol_list.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t unit = 432;
constexpr std::int32_t lead_mark = 8 * unit;
constexpr std::int32_t lead_space = 4 * unit;
constexpr std::int32_t gap = 173 * unit;

std::uint32_t vendor_parity(std::uint32_t vendor) {
  return (vendor ^ vendor >> 4 ^ vendor >> 8 ^ vendor >> 12) & 0xFU;
}

void encode_bytes(std::uint32_t vendor, std::uint32_t device_byte, std::uint32_t subdevice, std::uint32_t function,
                  signal_data& out) {
  const std::uint64_t check = device_byte ^ subdevice ^ function;
  const std::uint64_t bits = std::uint64_t{vendor} | std::uint64_t{device_byte} << 16 |
                             std::uint64_t{subdevice} << 24 | std::uint64_t{function} << 32 | check << 40;
  signal_builder builder;
  builder.mark(lead_mark);
  builder.space(lead_space);
  builder.distance_bits(unit, unit, 3 * unit, bits, 48);
  builder.mark(unit);
  builder.space(gap);
  out = builder.finish(carrier_37khz);
}

void encode_panasonic(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_bytes(panasonic_vendor, parameters.device, parameters.subdevice, parameters.function, out);
}

void encode_kaseikyo(const protocol_parameters& parameters, unsigned, signal_data& out) {
  encode_bytes(parameters.vendor, vendor_parity(parameters.vendor) | parameters.device << 4, parameters.subdevice,
               parameters.function, out);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  duration_reader reader(durations);
  std::uint64_t bits = 0;
  if (!reader.mark(lead_mark) || !reader.space(lead_space) || !reader.distance_bits(unit, unit, 3 * unit, 48, bits) ||
      !reader.mark(unit) || !reader.frame_end()) {
    return false;
  }
  const std::uint32_t vendor = static_cast<std::uint32_t>(bits) & 0xFFFFU;
  const std::uint32_t device_byte = byte_of(bits, 2);
  if ((device_byte ^ byte_of(bits, 3) ^ byte_of(bits, 4)) != byte_of(bits, 5)) return false;
  if (vendor == panasonic_vendor) {
    out = protocol_parameters{std::string(panasonic.name), 0, device_byte, byte_of(bits, 3), byte_of(bits, 4)};
    return true;
  }
  if ((device_byte & 0xFU) != vendor_parity(vendor)) return false;
  out = protocol_parameters{std::string(kaseikyo.name), vendor, device_byte >> 4, byte_of(bits, 3), byte_of(bits, 4)};
  return true;
}

}  // namespace

const protocol panasonic{"Panasonic",
                         {{{field_t::device, 8}, {field_t::subdevice, 8}, {field_t::function, 8}}},
                         3,
                         false,
                         encode_panasonic,
                         decode};
// check_parameters refuses Panasonic's vendor code here: those are Panasonic codes.
const protocol kaseikyo{
    "Kaseikyo",
    {{{field_t::vendor, 16}, {field_t::device, 4}, {field_t::subdevice, 8}, {field_t::function, 8}}},
    4,
    false,
    encode_kaseikyo,
    nullptr};

}  // namespace redeye::protocols
