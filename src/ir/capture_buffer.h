// The buffer a capture fills: 300 durations in microseconds (marks positive, spaces negative), all
// zero before the capture; the first zero ends the list. A capture stores at most 299 durations.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace redeye {

inline constexpr std::size_t capture_buffer_size = 300;
inline constexpr std::size_t max_captured_durations = 299;

using capture_buffer = std::array<std::int32_t, capture_buffer_size>;

}  // namespace redeye
