// A Flipper ".ir" button in this program's forms: a parsed button as protocol parameters for the
// protocol registry, a raw one as a signal.
#pragma once

#include "base/result.h"
#include "ir/interchange/flipper_ir_reader.h"
#include "ir/protocols/protocol.h"
#include "ir/signal_data.h"

namespace redeye {

// The parameters of a parsed button. Flipper's names map as follows: NEC (8-bit address),
// NECext (16-bit address, low byte first as the device), Samsung32 (an 8-bit address is sent
// twice: device and subdevice; a 16-bit one gives both), RC5
// and RC5X (the extension bit becomes the seventh function bit), RC6, SIRC, SIRC15, SIRC20 (low
// five address bits the device, the rest the subdevice) as Sony12/15/20, and Kaseikyo (the
// address holds the vendor code in bits 8..23 and the genre in bits 0..7, the 10-bit command the
// data; Panasonic's vendor code gives the Panasonic protocol). The 8-bit address of NEC and the
// 8-bit commands of NEC, NECext and Samsung32 may also be written as 16 bits whose second byte is
// the inverse of the first (Samsung32 commands: or the same byte). 1119 for a raw button, another
// protocol, or an address or command too large for the protocol. out is changed only on success.
[[nodiscard]] zq::result_t flipper_ir_parameters(const flipper_ir_signal& button,
                                                 protocols::protocol_parameters& out);

// The signal of a raw button: its durations, the carrier period nearest to its frequency, and no
// repeated part (the capture is played once per press, like a Pronto code without a repeat
// sequence). 1119 for a parsed button or a frequency below 16 Hz (no 16-bit period) or above
// 1 MHz. out is changed only on success.
[[nodiscard]] zq::result_t flipper_ir_raw_signal(const flipper_ir_signal& button, signal_data& out);

}  // namespace redeye
