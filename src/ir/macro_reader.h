// Reading a macro record (see ir/macro_writer.h for its layout) element by element. The reader
// hands each "reference", "action" and "delay" element over as a macro item at the element's end,
// in document order, while the document is being read: the player acts on each one at once, a
// listener (listing a macro without playing it) collects them. Other elements are read and
// ignored; the end of "macro" ends the reading.
//
// "repeat", "duration" and "ms" are read as unsigned 16-bit numbers: 0xFFFF stays "one pass"
// rather than becoming -1 ("not set"), and a pause of 40 s stays positive.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "base/result.h"
#include "ir/macro_item.h"

namespace redeye {

// A record whose header, name or document cannot be read.
inline constexpr zq::result_t macro_unreadable = 1000;

class macro_reader {
 public:
  using listener = std::function<void(const macro_item& item)>;

  explicit macro_reader(listener on_item) : on_item_(std::move(on_item)) {}

  // Reads a whole macro record. 0, or macro_unreadable when the record is not a macro record or
  // its document is malformed; the items before the fault have been handed over by then.
  // A reference item has repeat -1 and time -1 unless its attributes give them; a delay without
  // "ms" has time 0, an action without "id" an empty text.
  [[nodiscard]] zq::result_t read(std::span<const std::uint8_t> record) const;

 private:
  listener on_item_;
};

// All items of a macro record; items is replaced only on success.
[[nodiscard]] zq::result_t read_macro(std::span<const std::uint8_t> record, std::vector<macro_item>& items);

}  // namespace redeye
