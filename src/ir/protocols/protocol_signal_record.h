// The stored signal record of a button given by its protocol parameters.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/protocols/protocol.h"

namespace redeye::protocols {

// Encodes the parameters into a new record under the name: a protocol with a toggle bit gets two
// readings, toggle 0 first and toggle 1 second, so that pressing the button again sends the other
// toggle as the original remote does; the others one reading. The codes of encode_protocol, or
// 1061 when the record cannot be written. out is replaced only on success.
[[nodiscard]] zq::result_t protocol_signal_record(std::string_view name, const protocol_parameters& parameters,
                                                  std::vector<std::uint8_t>& out);

}  // namespace redeye::protocols
