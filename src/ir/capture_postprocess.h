// Finding the repeated part of a captured signal. A remote keeps sending while its button is held,
// so a capture usually holds the first frame followed by copies of the part the remote repeats
// (the whole frame, or a short repeat frame). The search looks for the earliest start s and end d
// such that the durations from d on repeat s..d-1 within a third of each length, d follows one of
// the longest gaps of the capture, and the part before s is set off by a long enough gap; the
// signal then keeps durations 0..d-1 and repeats from s. Without such a pair every duration is
// kept and the signal has no repeated part (repeat index = count).
//
// Pure and bounds-checked: only the 300 durations of the buffer are ever read, whatever they hold.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "ir/capture_buffer.h"

namespace redeye {

struct repeated_part {
  std::uint16_t count = 0;         // durations to keep: buffer[0..count)
  std::uint16_t repeat_index = 0;  // first duration of the repeated part; count when there is none
};

// The durations are the buffer's leading non-zero values (at most 300). 201 when there are none
// (out unchanged), else 0.
[[nodiscard]] zq::result_t find_repeated_part(const capture_buffer& buffer, repeated_part& out);

}  // namespace redeye
