#include "ir/protocols/protocol_registry.h"

#include <array>

#include "ir/protocols/protocol_list.h"

namespace redeye::protocols {
namespace {

const std::array<const protocol*, 13> protocols{&nec,    &nec_extended, &samsung32, &jvc,    &panasonic,
                                                &kaseikyo, &sony12,    &sony15,    &sony20, &rc5,
                                                &rc6,    &sharp,        &denon};

bool uses(const protocol& format, field_t field) {
  for (const field_spec& used : format.used_fields()) {
    if (used.field == field) return true;
  }
  return false;
}

}  // namespace

std::span<const protocol* const> all_protocols() { return protocols; }

const protocol* find_protocol(std::string_view name) {
  for (const protocol* format : protocols) {
    if (format->name == name) return format;
  }
  return nullptr;
}

zq::result_t check_parameters(const protocol_parameters& parameters, const protocol*& found) {
  const protocol* format = find_protocol(parameters.protocol);
  if (format == nullptr) return zq::rc::protocol_unknown;
  for (const field_spec& used : format->used_fields()) {
    if (field_value(parameters, used.field) >> used.bits != 0) return zq::rc::protocol_parameter_range;
  }
  for (const field_t field : {field_t::vendor, field_t::device, field_t::subdevice, field_t::function}) {
    if (!uses(*format, field) && field_value(parameters, field) != 0) return zq::rc::protocol_parameter_range;
  }
  if (format == &kaseikyo && parameters.vendor == panasonic_vendor) return zq::rc::protocol_parameter_range;
  found = format;
  return zq::rc::ok;
}

zq::result_t encode_protocol(const protocol_parameters& parameters, unsigned toggle, signal_data& out) {
  const protocol* format = nullptr;
  if (const zq::result_t result = check_parameters(parameters, format); result != zq::rc::ok) return result;
  format->encode(parameters, toggle, out);
  return zq::rc::ok;
}

std::optional<protocol_parameters> decode_protocol(std::span<const std::int32_t> durations) {
  protocol_parameters found;
  for (const protocol* format : protocols) {
    if (format->decode != nullptr && format->decode(durations, found)) return found;
  }
  return std::nullopt;
}

}  // namespace redeye::protocols
