// Reads arbitrary bytes as a request datagram or an answer of the system port. What is accepted
// encodes back to the same bytes (so nothing was read from outside the datagram).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/system_port_request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (const auto request = platform::decode_system_request(bytes)) {
    const std::vector<std::uint8_t> again = platform::encode_system_request(*request);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
  }
  if (const auto state = platform::decode_system_answer(bytes)) {
    const std::vector<std::uint8_t> again = platform::encode_system_answer(*state);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
  }
  return 0;
}
