// Finds the repeated part of arbitrary capture buffers: the input's bytes, four at a time
// (little-endian), fill up to 300 durations and the rest stays zero. Checks that an empty list is
// 201 and anything else a count within the list's leading non-zero durations (at most 300) with a
// repeat index within the count; a repeated part is at least two durations long and leaves a
// copy of it after the count. The buffer sits alone on the heap, so a read past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "ir/capture_postprocess.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto buffer = std::make_unique<redeye::capture_buffer>();
  buffer->fill(0);
  for (std::size_t i = 0; i < buffer->size() && 4 * i + 4 <= size; ++i) {
    const std::uint8_t* b = data + 4 * i;
    (*buffer)[i] = static_cast<std::int32_t>(std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 |
                                             std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24);
  }
  std::size_t n = 0;
  while (n < buffer->size() && (*buffer)[n] != 0) ++n;

  redeye::repeated_part part{0xBEEF, 0xBEEF};
  const zq::result_t rc = redeye::find_repeated_part(*buffer, part);
  if (n == 0) {
    check(rc == 201 && part.count == 0xBEEF && part.repeat_index == 0xBEEF);
    return 0;
  }
  check(rc == 0);
  check(part.count <= n && n <= 300);
  check(part.repeat_index <= part.count);
  if (part.repeat_index < part.count) {
    check(part.repeat_index + 2 <= part.count && part.count < n);
  } else {
    check(part.count == n);
  }
  return 0;
}
