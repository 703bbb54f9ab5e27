// The names table of a document: an ordered list of names with 1-based 16-bit indices (at most
// 65535), and a lookup from name to index. Index 0 means "not in the table".
//
// Each name is kept as stored bytes ending in NUL, so the text a handler receives for an indexed
// name points here; the bytes never move while the table lives (they sit in fixed blocks), so such
// pointers stay valid as the table grows. Lookup by text compares up to the first NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/meta_format.h"
#include "storage/meta_name.h"

namespace meta {

class names_table {
 public:
  names_table();
  names_table(const names_table&) = delete;
  names_table& operator=(const names_table&) = delete;

  std::size_t size() const { return entries_.size(); }
  bool full() const { return entries_.size() >= max_names; }

  // The index of a name (text without NUL), or 0 when absent.
  std::uint16_t index_of(std::string_view name) const;
  // The text of an index, or null when the index is 0 or beyond the table.
  const char* name_of(std::uint16_t index) const {
    return index == 0 || index > entries_.size() ? nullptr : entries_[index - 1].text;
  }
  // The name of an index as handed to handlers; false when the index is 0 or beyond the table.
  bool find(std::uint16_t index, name_ref& out) const {
    if (index == 0 || index > entries_.size()) return false;
    out = entries_[index - 1];
    out.index = index;
    return true;
  }

  // The index of a name, adding it when it is new (writer side). 0 when the table is full.
  std::uint16_t add(std::string_view name);
  // Appends a stored name (bytes ending in NUL) at the next index, even when an equal name is
  // already present (reader side: indices follow the document). 0 when the table is full or the
  // bytes do not end in NUL.
  std::uint16_t append(const char* bytes, std::uint32_t length);

  // Forgets every name.
  void clear();

 private:
  const char* store(const char* bytes, std::uint32_t length);

  std::vector<name_ref> entries_;
  std::unordered_map<std::string_view, std::uint16_t> lookup_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::size_t block_used_ = 0;
  std::size_t block_capacity_ = 0;
};

}  // namespace meta
