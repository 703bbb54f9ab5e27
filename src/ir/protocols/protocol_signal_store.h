// Storing a button given by its protocol parameters as a signal of a codebase.
#pragma once

#include <string_view>

#include "base/result.h"
#include "ir/protocols/protocol.h"
#include "storage/codebase_writer.h"

namespace redeye::protocols {

// Encodes the parameters and stores the signal under the name, replacing any signal of that name.
// A protocol with a toggle bit is stored with two readings, toggle 0 first and toggle 1 second, so
// that pressing the button again sends the other toggle, as the original remote does; the others
// with one reading. The codes of encode_protocol, or 1061 when the record cannot be written; on
// failure the codebase is unchanged. The change stays in the writer until the caller saves.
[[nodiscard]] zq::result_t put_protocol_signal(xman::codebase_writer& codebase, std::string_view name,
                                               const protocol_parameters& parameters);

}  // namespace redeye::protocols
