// meta::omemstream: an output stream into memory it owns. It starts with a 500-byte buffer and
// doubles the capacity as often as a write needs; every write is stored whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "storage/meta_obinstream.h"

namespace meta {

class omemstream final : public obinstream {
 public:
  static constexpr std::size_t initial_capacity = 500;

  omemstream();
  ~omemstream() override;
  omemstream(const omemstream&) = delete;
  omemstream& operator=(const omemstream&) = delete;

  int put(std::uint8_t byte) override;
  int write(const void* data, std::size_t size) override;

  const std::uint8_t* data() const { return buffer_; }
  std::size_t size() const { return length_; }
  std::size_t capacity() const { return capacity_; }
  std::span<const std::uint8_t> bytes() const { return {buffer_, length_}; }
  // True when some write could not be stored (memory ran out): the bytes are incomplete.
  bool failed() const { return failed_; }

 private:
  bool reserve(std::size_t needed);

  std::uint8_t* buffer_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t length_ = 0;
  bool failed_ = false;
};

}  // namespace meta
