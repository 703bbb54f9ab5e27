// What real remote controls emit, as durations in microseconds (marks positive, spaces negative),
// to play into a simulated receiver or to build capture buffers by hand.
#pragma once

#include <cstdint>
#include <vector>

namespace zqtest {

// NEC: a 9 ms / 4.5 ms header, 32 bits of 560 µs marks followed by 560 µs (0) or 1690 µs (1)
// spaces, least significant bit first, a closing 560 µs mark. While the button is held the remote
// follows with repeat frames (9 ms, 2.25 ms, 560 µs). Frames start every 108 ms; the gap after the
// last frame is included when with_last_gap is set.
std::vector<std::int32_t> nec_held(std::uint32_t code, int repeat_frames, bool with_last_gap = true);
// The durations of the first frame and its gap (the repeat frames start there).
std::size_t nec_frame_length();

// RC5: 14 bi-phase bits of 889 µs halves (start bits 1 1, toggle, 5 address bits, 6 command bits,
// most significant first; a 1 is space then mark), the first half-bit (a space) left out. Frames
// repeat every 113.778 ms; the gap after the last frame is included when with_last_gap is set.
std::vector<std::int32_t> rc5_frame(unsigned address, unsigned command, bool toggle);
std::vector<std::int32_t> rc5_held(unsigned address, unsigned command, int frames, bool with_last_gap = true);

}  // namespace zqtest
