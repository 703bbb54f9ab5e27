// Parses arbitrary bytes as Pronto hex text. A failure carries a known code, its category and an
// empty signal; a success a signal that the header of the text describes: an even count of at
// most 1000 durations, marks at even positions and spaces at odd ones, a repeat index within the
// count, and a period the frequency word allows. Every duration is a whole number of periods.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ir/pronto_parser.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool known_failure(zq::result_t code) {
  for (const zq::result_t known : {11, 101, 102, 103, 104, 111, 200, 201, 202, 211, 250, 251, 252, 300, 450}) {
    if (code == known) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<char> text(data, data + size);
  const redeye::pronto_result result = redeye::parse_pronto(std::string_view(text.data(), text.size()));
  const redeye::signal_data& signal = result.signal;
  if (result.code != zq::rc::ok) {
    check(known_failure(result.code));
    check(result.category == redeye::classify_pronto_code(result.code).category);
    check(result.category >= 1 && result.category <= 5);
    check(signal.durations.empty() && signal.carrier_period == 0 && signal.repeat_index == 0);
    return 0;
  }
  check(result.category == 0);
  const std::size_t count = signal.durations.size();
  check(count >= 2 && count <= redeye::pronto_default_limit && count % 2 == 0);
  check(signal.repeat_index <= count && signal.repeat_index % 2 == 0);
  check(signal.carrier_period >= 4 && signal.carrier_period <= 500);
  for (std::size_t i = 0; i < count; ++i) {
    const std::int32_t duration = signal.durations[i];
    check(i % 2 == 0 ? duration >= 0 : duration <= 0);
    check(duration % signal.carrier_period == 0);
    check(duration / signal.carrier_period >= -0xFFFF && duration / signal.carrier_period <= 0xFFFF);
  }
  return 0;
}
