#include "storage/meta_names_table.h"

#include <cstring>

namespace meta {
namespace {
constexpr std::size_t block_size = 4096;
constexpr std::size_t reserved_names = 30;
}  // namespace

names_table::names_table() { entries_.reserve(reserved_names); }

std::uint16_t names_table::index_of(std::string_view name) const {
  const auto found = lookup_.find(name);
  return found == lookup_.end() ? 0 : found->second;
}

std::uint16_t names_table::add(std::string_view name) {
  if (const std::uint16_t existing = index_of(name); existing != 0) return existing;
  if (full()) return 0;
  // Stored as the text up to its first NUL, so that lookup and storage agree.
  const std::string_view text = name.substr(0, name.find('\0'));
  if (text.size() != name.size()) {
    if (const std::uint16_t existing = index_of(text); existing != 0) return existing;
  }
  const char* stored = store(text.data(), static_cast<std::uint32_t>(text.size()));
  entries_.push_back(name_ref{stored, static_cast<std::uint32_t>(text.size() + 1), 0});
  const auto index = static_cast<std::uint16_t>(entries_.size());
  lookup_.emplace(std::string_view(stored, text.size()), index);
  return index;
}

std::uint16_t names_table::append(const char* bytes, std::uint32_t length) {
  if (full() || length == 0 || bytes[length - 1] != '\0') return 0;
  const char* stored = store(bytes, length - 1);
  entries_.push_back(name_ref{stored, length, 0});
  const auto index = static_cast<std::uint16_t>(entries_.size());
  // The first of equal names keeps the lookup.
  lookup_.emplace(std::string_view(stored), index);
  return index;
}

void names_table::clear() {
  entries_.clear();
  lookup_.clear();
  blocks_.clear();
  block_used_ = 0;
  block_capacity_ = 0;
}

// Copies size bytes and a terminating NUL into block memory that never moves.
const char* names_table::store(const char* bytes, std::uint32_t size) {
  const std::size_t needed = std::size_t{size} + 1;
  if (block_capacity_ - block_used_ < needed) {
    const std::size_t capacity = needed > block_size ? needed : block_size;
    blocks_.push_back(std::make_unique<char[]>(capacity));
    block_used_ = 0;
    block_capacity_ = capacity;
  }
  char* target = blocks_.back().get() + block_used_;
  if (size != 0) std::memcpy(target, bytes, size);
  target[size] = '\0';
  block_used_ += needed;
  return target;
}

}  // namespace meta
