// String tables as the handheld stores them: string id n lives in the string resource with id
// n / 16 + 1, a block of 16 entries, each a 16-bit length followed by that many UTF-16 units.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace platform {

inline constexpr std::uint16_t string_block_of(std::uint16_t string_id) {
  return static_cast<std::uint16_t>(string_id / 16 + 1);
}

// Entry string_id % 16 of a block: 0, zq::rc::resource_not_found for an empty entry, or
// zq::rc::resource_damaged when the block ends before the entry does.
[[nodiscard]] zq::result_t string_from_block(std::span<const std::uint8_t> block, std::uint16_t string_id,
                                             std::wstring& text);

// The blocks holding these strings, by block id. Characters beyond the UTF-16 basic plane become
// surrogate pairs.
std::map<std::uint16_t, std::vector<std::uint8_t>> string_blocks(const std::map<std::uint16_t, std::wstring>& strings);

}  // namespace platform
