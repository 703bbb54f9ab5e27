#include "signal_printer.h"

#include <cstdint>
#include <string>

namespace zqtool {

void print_signal(const redeye::signal_data& signal, std::FILE* out) {
  std::string durations;
  for (const std::int32_t duration : signal.durations) {
    if (!durations.empty()) durations += ' ';
    durations += std::to_string(duration);
  }
  std::fprintf(out, "carrier: %u\nrepeat: %u\ncount: %u\ndurations: %s\n",
               static_cast<unsigned>(signal.carrier_period), static_cast<unsigned>(signal.repeat_index),
               static_cast<unsigned>(signal.count()), durations.c_str());
}

}  // namespace zqtool
