// Reads the durations of a received frame one by one, comparing each with the duration the
// protocol expects. Real receivers stretch marks and shorten spaces, so a measured duration
// matches an expected one within a quarter of it or 100 microseconds, whichever is more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace redeye::protocols {

// True when a measured length (microseconds, positive) is near the expected one.
bool near(std::int64_t measured, std::int32_t expected);

// A space at least this long ends a frame: no protocol here has a space this long inside one.
inline constexpr std::int32_t frame_gap = 5000;

// Byte `index` (0 = least significant) of bits read least significant first.
inline std::uint32_t byte_of(std::uint64_t bits, unsigned index) {
  return static_cast<std::uint32_t>(bits >> (8 * index)) & 0xFFU;
}

class duration_reader {
 public:
  explicit duration_reader(std::span<const std::int32_t> durations) : durations_(durations) {}

  bool at_end() const { return next_ >= durations_.size(); }
  // The next duration, as a signed value (0 at the end); consume() steps over it.
  std::int32_t peek() const { return at_end() ? 0 : durations_[next_]; }
  void consume() { ++next_; }

  // Consumes the next duration when it is a mark (or a space) near `expected`.
  bool mark(std::int32_t expected);
  bool space(std::int32_t expected);
  // Consumes the next duration when it is a mark near `zero` (false) or `one` (true).
  bool mark_bit(std::int32_t zero, std::int32_t one, bool& bit);
  bool space_bit(std::int32_t zero, std::int32_t one, bool& bit);
  // True at the end of the durations, or at a space of at least frame_gap (which is consumed).
  bool frame_end();

  // Pulse-distance bits, least significant first: each bit a mark near `mark`, then a space near
  // `zero` or `one`.
  bool distance_bits(std::int32_t mark, std::int32_t zero, std::int32_t one, unsigned count, std::uint64_t& value);

 private:
  bool either(bool (duration_reader::*read)(std::int32_t), std::int32_t zero, std::int32_t one, bool& bit);

  std::span<const std::int32_t> durations_;
  std::size_t next_ = 0;
};

}  // namespace redeye::protocols
