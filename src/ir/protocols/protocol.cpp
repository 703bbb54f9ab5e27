#include "ir/protocols/protocol.h"

namespace redeye::protocols {

std::uint32_t field_value(const protocol_parameters& parameters, field_t field) {
  return field_value(const_cast<protocol_parameters&>(parameters), field);
}

std::uint32_t& field_value(protocol_parameters& parameters, field_t field) {
  switch (field) {
    case field_t::vendor: return parameters.vendor;
    case field_t::device: return parameters.device;
    case field_t::subdevice: return parameters.subdevice;
    case field_t::function: break;
  }
  return parameters.function;
}

}  // namespace redeye::protocols
