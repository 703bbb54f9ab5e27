// Writing a macro: the record a codebase stores for one named macro.
//
// | Offset | Size | Field                                                    |
// |--------|------|----------------------------------------------------------|
// | 0      | 1    | 0x00                                                     |
// | 1      | 1    | 0x01                                                     |
// | 2      | L+1  | the macro name without "$", then a zero byte             |
// | 3+L    | rest | the macro document                                       |
//
// The document is an element "macro" (attribute "ver" = 320) with one child per item in order:
// "reference" (optional "base"; "signal" NAME or "macro" "$NAME"; then "duration" MS when the time
// is above 0, else "repeat" N when the pass count is set), "action" ("id" TEXT) and "delay"
// ("ms" MS). The integers are 16-bit values read back as unsigned numbers.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "ir/macro_item.h"

namespace redeye {

inline constexpr std::int32_t macro_document_version = 320;
// The largest pass count, transmit time or delay the document can hold.
inline constexpr std::int32_t macro_number_max = 0xFFFF;

// Builds the record of a macro. Actions without text and delays of 0 ms or less are left out;
// larger numbers than the document holds are stored as its largest. -1 (out unchanged) for an
// empty item list, and for a name that is empty (after the "$") or holds a zero byte; -2 when
// memory ran out.
[[nodiscard]] zq::result_t write_macro(std::span<const macro_item> items, std::string_view name,
                                       std::vector<std::uint8_t>& out);

}  // namespace redeye
