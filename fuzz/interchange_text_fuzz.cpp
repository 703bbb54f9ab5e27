// Reads arbitrary bytes with the interchange text readers: the first byte chooses the reader
// (LIRC lircd.conf, mode2, Global Cache sendir list, Pronto hex list, Flipper .ir), the rest is
// the text. A
// failure carries a code and an empty list; a success signals whose durations a codebase can
// store unchanged (1 to 65535 of them, marks and spaces alternating, no zero mark in front of
// anything) with a repeat index within the count, one reading (two for a toggling protocol). A signal read from LIRC or mode2 text is written
// back and read again, and must come back with the same durations.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ir/interchange/flipper_ir_import.h"
#include "ir/interchange/gc_sendir.h"
#include "ir/interchange/lircd_conf.h"
#include "ir/interchange/mode2_text.h"
#include "ir/interchange/pronto_hex_list.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void check_signal(const redeye::signal_data& signal) {
  const std::size_t count = signal.durations.size();
  check(count >= 1 && count <= redeye::interchange_max_durations);
  check(signal.repeat_index <= count);
  check(!(count > 1 && signal.durations[0] == 0));
  for (std::size_t i = 1; i < count; ++i) check((signal.durations[i] < 0) != (signal.durations[i - 1] < 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned reader = data[0] % 5;
  // A copy of exactly the text's size, so that any read past the end is caught.
  const std::vector<char> bytes(data + 1, data + size);
  const std::string_view text(bytes.data(), bytes.size());
  redeye::interchange_read read;
  switch (reader) {
    case 0: read = redeye::read_lircd_conf(text); break;
    case 1: read = redeye::read_mode2(text, "fuzz"); break;
    case 2: read = redeye::read_gc_sendir_list(text, "fuzz"); break;
    case 3: read = redeye::read_pronto_list(text, "fuzz"); break;
    default: read = redeye::read_flipper_ir_signals(text); break;
  }
  if (read.code != zq::rc::ok) {
    check(read.signals.empty());
    return 0;
  }
  check(!read.signals.empty());
  for (const redeye::named_signal& signal : read.signals) {
    check(!signal.name.empty() && (signal.readings.size() == 1 || (reader == 4 && signal.readings.size() == 2)));
    for (const redeye::signal_data& reading : signal.readings) check_signal(reading);
  }
  if (reader == 0) {
    const redeye::interchange_write written = redeye::write_lircd_conf("fuzz", read.signals);
    check(written.code == zq::rc::ok);
    const redeye::interchange_read again = redeye::read_lircd_conf(written.text);
    check(again.code == zq::rc::ok && again.signals.size() == read.signals.size());
  } else if (reader == 1) {
    const redeye::signal_data& signal = read.signals.front().readings.front();
    const redeye::interchange_read again = redeye::read_mode2(redeye::write_mode2(signal), "fuzz");
    check(again.code == zq::rc::ok && again.signals.front().readings.front().durations == signal.durations);
  }
  return 0;
}
