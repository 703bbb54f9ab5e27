// Decodes both readings of arbitrary bytes as a signal record. Whatever decodes must encode again
// and decode to the same signal: decoding merges neighbouring items of one sign, so the encoding
// of a decoded signal is canonical. Appending to the bytes must not read past them either.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "ir/signal_data.h"
#include "ir/signal_items.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void round_trip(std::span<const std::uint8_t> record, unsigned selector) {
  redeye::signal_data decoded;
  const zq::result_t rc = redeye::decode_signal_record(record, selector, decoded);
  check(rc == zq::rc::ok || rc == zq::rc::signal_without_items || rc == zq::rc::bad_signal_record);
  if (rc != zq::rc::ok) return;
  check(!decoded.durations.empty());
  check(redeye::signal_record_name(record).has_value());

  std::vector<std::uint8_t> again;
  const zq::result_t encoded = redeye::encode_signal_record(*redeye::signal_record_name(record), decoded, again);
  if (encoded != zq::rc::ok) {
    // Only a signal whose split needs more items than a reading counts is refused.
    check(encoded == zq::rc::signal_without_items && redeye::items_for_durations(decoded.durations) > 0xFFFF);
    return;
  }
  redeye::signal_data back;
  check(redeye::decode_signal_record(again, 0, back) == zq::rc::ok);
  check(back.durations == decoded.durations);
  check(back.carrier_period == decoded.carrier_period);
  check(back.repeat_index == decoded.repeat_index);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<std::uint8_t> record(data, data + size);
  round_trip(record, 0);
  round_trip(record, 1);

  redeye::signal_data extra;
  extra.durations = {9000, -4500, 560, -100000};
  extra.carrier_period = 26;
  std::vector<std::uint8_t> appended;
  if (redeye::append_signal_reading(record, extra, appended) == zq::rc::ok) {
    check(redeye::signal_reading_count(appended) == redeye::signal_reading_count(record) + 1);
    check(redeye::signal_record_name(appended) == redeye::signal_record_name(record));
  }
  (void)redeye::signal_reading_count(record);
  return 0;
}
