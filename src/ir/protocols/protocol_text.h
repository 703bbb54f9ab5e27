// The text form of a button's protocol parameters, as the archive sources and the tools write
// them: the protocol name, then each field the protocol uses in its order (vendor, device,
// subdevice, function), separated by single spaces. Canonical numbers are hexadecimal with "0x"
// and upper-case digits, two digits per byte of the field: "NEC 0x04 0x08",
// "Kaseikyo 0x3254 0x01 0x02 0x03".
#pragma once

#include <string>
#include <string_view>

#include "base/result.h"
#include "ir/protocols/protocol.h"

namespace redeye::protocols {

// The canonical text; the parameters should have passed check_parameters (an unknown protocol
// gives its name alone).
std::string format_parameters(const protocol_parameters& parameters);

// Reads the text form: fields separated by spaces or tabs, numbers in hexadecimal ("0x" or "0X")
// or decimal. 1081 for an unknown protocol name (exact case), 1083 for a wrong field count or a
// field that is no number, 1082 for values check_parameters refuses. out is changed only on
// success.
[[nodiscard]] zq::result_t parse_parameters(std::string_view text, protocol_parameters& out);

}  // namespace redeye::protocols
