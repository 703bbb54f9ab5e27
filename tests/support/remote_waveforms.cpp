#include "support/remote_waveforms.h"

#include <cstdlib>

namespace zqtest {

namespace {

constexpr std::int32_t nec_frame_period = 108000;
constexpr std::int32_t rc5_half_bit = 889;
constexpr std::int32_t rc5_frame_period = 113778;

// Appends a duration, merging it into the last one when both have the same sign.
void push(std::vector<std::int32_t>& d, std::int32_t v) {
  if (!d.empty() && (d.back() < 0) == (v < 0))
    d.back() += v;
  else
    d.push_back(v);
}

std::int32_t total(const std::vector<std::int32_t>& d, std::size_t from) {
  std::int32_t sum = 0;
  for (std::size_t i = from; i < d.size(); ++i) sum += std::abs(d[i]);
  return sum;
}

}  // namespace

std::vector<std::int32_t> nec_held(std::uint32_t code, int repeat_frames, bool with_last_gap) {
  std::vector<std::int32_t> d{9000, -4500};
  for (int bit = 0; bit < 32; ++bit) {
    d.push_back(560);
    d.push_back((code >> bit) & 1u ? -1690 : -560);
  }
  d.push_back(560);
  for (int r = 0; r < repeat_frames; ++r) {
    d.push_back(-(nec_frame_period - total(d, 0) % nec_frame_period));
    d.insert(d.end(), {9000, -2250, 560});
  }
  if (with_last_gap) d.push_back(-(nec_frame_period - total(d, 0) % nec_frame_period));
  return d;
}

std::size_t nec_frame_length() { return 2 + 64 + 2; }

std::vector<std::int32_t> rc5_frame(unsigned address, unsigned command, bool toggle) {
  const unsigned bits = (3u << 12) | (toggle ? 1u << 11 : 0u) | ((address & 0x1F) << 6) | (command & 0x3F);
  std::vector<std::int32_t> d;
  for (int bit = 13; bit >= 0; --bit) {
    const bool one = (bits >> bit) & 1u;
    push(d, one ? -rc5_half_bit : rc5_half_bit);
    push(d, one ? rc5_half_bit : -rc5_half_bit);
  }
  d.erase(d.begin());  // the leading space of the first start bit is not seen
  if (d.back() < 0) d.pop_back();
  return d;
}

std::vector<std::int32_t> rc5_held(unsigned address, unsigned command, int frames, bool with_last_gap) {
  const std::vector<std::int32_t> frame = rc5_frame(address, command, false);
  // Every frame's visible part starts half a bit into its period, so the gap fills the rest.
  const std::int32_t gap = rc5_frame_period - total(frame, 0);
  std::vector<std::int32_t> d;
  for (int f = 0; f < frames; ++f) {
    if (f > 0) d.push_back(-gap);
    d.insert(d.end(), frame.begin(), frame.end());
  }
  if (with_last_gap) d.push_back(-gap);
  return d;
}

}  // namespace zqtest
