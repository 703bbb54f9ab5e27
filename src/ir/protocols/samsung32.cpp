// Samsung32: a 4.5 ms burst and a 4.5 ms space, then the shared 32-bit frame (see nec_family.h)
// with device, subdevice (mostly the device again) and function. The whole frame repeats every
// 108 ms while the button is held.
#include "ir/protocols/nec_family.h"
#include "ir/protocols/protocol_list.h"

namespace redeye::protocols {
namespace {

constexpr nec_family_lead lead{4500, 4500};

void encode(const protocol_parameters& parameters, unsigned, signal_data& out) {
  signal_builder builder;
  write_nec_family_frame(builder, lead, parameters.device, parameters.subdevice, parameters.function);
  out = builder.finish(carrier_38khz);
}

bool decode(std::span<const std::int32_t> durations, protocol_parameters& out) {
  protocol_parameters found{std::string(samsung32.name)};
  if (!read_nec_family_frame(durations, lead, found.device, found.subdevice, found.function)) return false;
  out = std::move(found);
  return true;
}

}  // namespace

const protocol samsung32{"Samsung32",
                         {{{field_t::device, 8}, {field_t::subdevice, 8}, {field_t::function, 8}}},
                         3,
                         false,
                         encode,
                         decode};

}  // namespace redeye::protocols
