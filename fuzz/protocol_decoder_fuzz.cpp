// Feeds arbitrary durations (4 bytes each, little-endian, signed microseconds) to every protocol
// decoder. Whatever a decoder recognises must be parameters its protocol can encode, and the
// encoded signal must read back as the same parameters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/byte_order.h"
#include "ir/protocols/protocol_registry.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void check_recognised(const redeye::protocols::protocol_parameters& found) {
  redeye::signal_data signal;
  check(redeye::protocols::encode_protocol(found, 0, signal) == 0);
  const auto again = redeye::protocols::decode_protocol(signal.durations);
  check(again.has_value() && *again == found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::int32_t> durations;
  for (std::size_t at = 0; at + 4 <= size; at += 4) {
    durations.push_back(static_cast<std::int32_t>(zq::load_le32(data + at)));
  }
  for (const redeye::protocols::protocol* format : redeye::protocols::all_protocols()) {
    redeye::protocols::protocol_parameters found;
    if (format->decode != nullptr && format->decode(durations, found)) check_recognised(found);
  }
  if (const auto found = redeye::protocols::decode_protocol(durations)) check_recognised(*found);
  return 0;
}
