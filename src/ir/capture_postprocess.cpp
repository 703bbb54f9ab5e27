#include "ir/capture_postprocess.h"

#include <cstddef>

namespace redeye {

namespace {

using wide = std::int64_t;  // |INT32_MIN| and products of durations fit

// The capture's durations: the leading non-zero values of the buffer. Every read goes through
// at(), which never leaves the list (and so never the buffer).
class capture_list {
 public:
  explicit capture_list(const capture_buffer& buffer) : buffer_(buffer) {
    while (n_ < buffer_.size() && buffer_[n_] != 0) ++n_;
  }
  std::size_t size() const { return n_; }
  wide at(std::size_t i) const { return i < n_ ? wide{buffer_[i]} : 0; }
  wide length(std::size_t i) const {
    const wide v = at(i);
    return v < 0 ? -v : v;
  }
  // The length of duration i differs from that of duration reference by at most a third of the latter.
  bool close_to(std::size_t i, std::size_t reference) const {
    const wide diff = length(i) - length(reference);
    return (diff < 0 ? -diff : diff) <= length(reference) / 3;
  }

 private:
  const capture_buffer& buffer_;
  std::size_t n_ = 0;
};

constexpr std::size_t last_unit_end = 290;       // a unit must end (d) at or before this index
constexpr std::size_t unrepeated_unit_end = 151;  // a unit without a whole copy must end at or after this
constexpr std::size_t copy_start_checked = 5;     // durations of the copy that must be present

// Whether the durations from d on repeat the unit s..d-1 (k = d - s durations).
bool unit_repeats(const capture_list& list, std::size_t s, std::size_t d) {
  const std::size_t n = list.size();
  if (s >= n || d >= n || s >= d || (s > 0 && 3 * s < d)) return false;
  if (d > last_unit_end) return false;
  const std::size_t k = d - s;

  // The copy right after the unit; it may be cut short by the end of the capture, but not
  // within its first five durations.
  for (std::size_t i = 0; i < k; ++i) {
    if (d + i >= n) {
      if (i < copy_start_checked) return false;
      break;
    }
    if (!list.close_to(d + i, s + i)) return false;
  }

  // Everything from d on, against the unit cyclically; w counts the whole copies.
  std::size_t w = 0;
  for (std::size_t j = d; j < n; ++j) {
    const std::size_t position = (j - d) % k;
    if (!list.close_to(j, s + position)) return false;
    if (position == k - 1) ++w;
  }

  if (w > 0) {
    // A repeated part that starts late must follow a real gap: a space more than four times the
    // mark before it (unless the capture filled its buffer).
    if (n < max_captured_durations && s > 2) {
      const wide gap = list.at(s - 1);
      const wide mark = list.at(s - 2);
      if (!(gap < 0 && -gap > 4 * mark)) return false;
    }
  } else if (d < unrepeated_unit_end || k / 2 >= n - d) {
    return false;
  }
  return true;
}

}  // namespace

zq::result_t find_repeated_part(const capture_buffer& buffer, repeated_part& out) {
  const capture_list list(buffer);
  const std::size_t n = list.size();
  if (n == 0) return zq::rc::capture_empty;

  wide longest_gap = list.at(0);  // the smallest duration
  for (std::size_t i = 1; i < n; ++i)
    if (list.at(i) < longest_gap) longest_gap = list.at(i);

  // With an even number of durations only mark positions are tried.
  const std::size_t step = n % 2 == 1 ? 1 : 2;
  for (std::size_t s = 0; s < n; s += step) {
    for (std::size_t d = s + 2; d < n; d += step) {
      if ((list.at(s) < 0) != (list.at(d) < 0)) continue;
      if (!list.close_to(d, s)) continue;
      // The second copy begins after a gap longer than the longest gap divided by 1.4.
      if (!(d > 1 && list.at(d - 1) * 140 / 100 < longest_gap)) continue;
      if (!unit_repeats(list, s, d)) continue;
      out.count = static_cast<std::uint16_t>(d);
      out.repeat_index = static_cast<std::uint16_t>(s);
      return zq::rc::ok;
    }
  }
  out.count = static_cast<std::uint16_t>(n);
  out.repeat_index = static_cast<std::uint16_t>(n);
  return zq::rc::ok;
}

}  // namespace redeye
