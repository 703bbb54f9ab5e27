#include "platform/resource_string_table.h"

#include "base/byte_order.h"
#include "platform/resource_utf16.h"

namespace platform {

zq::result_t string_from_block(std::span<const std::uint8_t> block, std::uint16_t string_id, std::wstring& text) {
  text.clear();
  std::size_t at = 0;
  for (unsigned index = 0;; ++index) {
    if (block.size() - at < 2) return zq::rc::resource_damaged;
    const std::size_t length = zq::load_le16(block.data() + at);
    at += 2;
    if (block.size() - at < 2 * length) return zq::rc::resource_damaged;
    if (index == string_id % 16u) {
      if (length == 0) return zq::rc::resource_not_found;
      std::u16string units(length, u'\0');
      for (std::size_t i = 0; i < length; ++i) units[i] = zq::load_le16(block.data() + at + 2 * i);
      text = from_utf16(units);
      return zq::rc::ok;
    }
    at += 2 * length;
  }
}

std::map<std::uint16_t, std::vector<std::uint8_t>> string_blocks(const std::map<std::uint16_t, std::wstring>& strings) {
  std::map<std::uint16_t, std::map<unsigned, std::u16string>> grouped;
  for (const auto& [id, text] : strings) grouped[string_block_of(id)][id % 16u] = to_utf16(text);
  std::map<std::uint16_t, std::vector<std::uint8_t>> blocks;
  for (const auto& [block_id, entries] : grouped) {
    std::vector<std::uint8_t>& block = blocks[block_id];
    for (unsigned index = 0; index < 16; ++index) {
      const auto found = entries.find(index);
      const std::u16string text = found == entries.end() ? std::u16string() : found->second;
      const std::size_t at = block.size();
      block.resize(at + 2 + 2 * text.size());
      zq::store_le16(&block[at], static_cast<std::uint16_t>(text.size()));
      for (std::size_t i = 0; i < text.size(); ++i) zq::store_le16(&block[at + 2 + 2 * i], text[i]);
    }
  }
  return blocks;
}

}  // namespace platform
