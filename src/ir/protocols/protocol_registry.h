// Every protocol by name: encoding a button's parameters into a signal, and recognising which
// protocol and parameters a signal's durations carry.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/result.h"
#include "ir/protocols/protocol.h"
#include "ir/signal_data.h"

namespace redeye::protocols {

// Every protocol, in the order decoding tries them.
std::span<const protocol* const> all_protocols();

// The protocol of that exact (case-sensitive) name, or nullptr.
const protocol* find_protocol(std::string_view name);

// 1081 for an unknown protocol name; 1082 when a used field does not fit its bits, a field the
// protocol does not use is not 0, or a Kaseikyo vendor code is Panasonic's (those are Panasonic
// codes). On success `found` is the protocol.
[[nodiscard]] zq::result_t check_parameters(const protocol_parameters& parameters, const protocol*& found);

// The signal a remote sends for the parameters (toggle 0 or 1 for protocols that toggle). The
// codes of check_parameters; out is changed only on success.
[[nodiscard]] zq::result_t encode_protocol(const protocol_parameters& parameters, unsigned toggle, signal_data& out);

// The protocol and parameters of the frame the durations start with, or nothing when no protocol
// recognises it. A classic NEC address (second byte the inverse of the first) reads as "NEC" even
// when it was encoded as "NECext".
std::optional<protocol_parameters> decode_protocol(std::span<const std::int32_t> durations);

}  // namespace redeye::protocols
