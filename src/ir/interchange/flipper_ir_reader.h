// Flipper ".ir" files: the text format in which the Flipper Zero and the public collections made
// for it keep IR buttons. A file starts with "Filetype: IR signals file" (or "IR library file")
// and "Version: 1"; then each button is a block of "key: value" lines starting with "name:":
//
//   name: Power                      name: Vol_up
//   type: parsed                     type: raw
//   protocol: NEC                    frequency: 38000
//   address: 04 00 00 00             duty_cycle: 0.330000
//   command: 08 00 00 00             data: 9024 4512 579 552 ...
//
// Address and command are bytes in hexadecimal, least significant first. Raw data are durations in
// microseconds, alternately mark and space, starting with a mark. Lines starting with "#" and
// blank lines are ignored, and so are keys this reader does not know.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace redeye {

enum class flipper_ir_kind_t { parsed, raw };

// The most raw durations one button may hold.
inline constexpr std::size_t flipper_ir_max_durations = 4096;

struct flipper_ir_signal {
  std::string name;
  flipper_ir_kind_t kind = flipper_ir_kind_t::parsed;
  // Parsed: the protocol name as the file gives it ("NEC", "NECext", "SIRC20", ...) and the
  // address and command (up to four bytes each).
  std::string protocol;
  std::uint32_t address = 0;
  std::uint32_t command = 0;
  // Raw: carrier frequency in Hz, duty cycle (0..1), durations with marks positive and spaces
  // negative.
  std::uint32_t frequency = 0;
  double duty_cycle = 0.33;
  std::vector<std::int32_t> durations;
};

// Reads every button of the text, in file order. 1118 for a text that is not a Flipper IR file or
// has a line this reader cannot accept: a missing or wrong header, a line without "key:", a key
// outside a button, a button without its type or without the fields its type needs, a repeated
// field, a value that is no number of its kind or out of range (frequency 1..1000000 Hz, duty
// cycle above 0 and at most 1, durations 1..2147483647, at most flipper_ir_max_durations of
// them), or a name that is empty or holds a NUL. On failure error_line (when given) receives the
// 1-based number of the offending line (0 when the text ended too soon); out is replaced only on
// success.
[[nodiscard]] zq::result_t read_flipper_ir(std::string_view text, std::vector<flipper_ir_signal>& out,
                                           std::size_t* error_line = nullptr);

}  // namespace redeye
