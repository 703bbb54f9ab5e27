// One 4 KB page of processor registers mapped for a driver. On a simulated device the accesses go
// to the simulated block; on a real machine to the page mapped from /dev/mem. The accessors are
// inline so that a driver's busy loop costs one register access per read and nothing more.
#pragma once

#include <cassert>
#include <cstdint>

#include "platform/register_block.h"

namespace platform {

inline constexpr std::uint32_t register_page_size = 4096;

class register_page {
 public:
  register_page() = default;
  ~register_page() { unmap(); }
  register_page(register_page&& other) noexcept { take(other); }
  register_page& operator=(register_page&& other) noexcept {
    if (this != &other) {
      unmap();
      take(other);
    }
    return *this;
  }
  register_page(const register_page&) = delete;
  register_page& operator=(const register_page&) = delete;

  // Empty when the mapping failed (or nothing was mapped).
  bool is_mapped() const { return block_ != nullptr || memory_ != nullptr; }
  explicit operator bool() const { return is_mapped(); }
  std::uint32_t physical_address() const { return physical_; }

  std::uint32_t read32(std::uint32_t offset) const {
    assert(offset < register_page_size);
    if (block_) return block_->read32(offset);
    return *reinterpret_cast<volatile std::uint32_t*>(memory_ + offset);
  }
  void write32(std::uint32_t offset, std::uint32_t value) const {
    assert(offset < register_page_size);
    if (block_) {
      block_->write32(offset, value);
      return;
    }
    *reinterpret_cast<volatile std::uint32_t*>(memory_ + offset) = value;
  }
  std::uint8_t read8(std::uint32_t offset) const {
    assert(offset < register_page_size);
    if (block_) return block_->read8(offset);
    return memory_[offset];
  }
  void write8(std::uint32_t offset, std::uint8_t value) const {
    assert(offset < register_page_size);
    if (block_) {
      block_->write8(offset, value);
      return;
    }
    memory_[offset] = value;
  }

  // Releases the mapping; the page is empty afterwards.
  void unmap();

 private:
  friend register_page map_register_page(std::uint32_t physical_page);
  void take(register_page& other) {
    block_ = other.block_;
    memory_ = other.memory_;
    physical_ = other.physical_;
    other.block_ = nullptr;
    other.memory_ = nullptr;
    other.physical_ = 0;
  }

  register_block* block_ = nullptr;
  volatile std::uint8_t* memory_ = nullptr;
  std::uint32_t physical_ = 0;
};

// Maps the page at a 4 KB-aligned physical address, uncached and read-write. With a simulated
// device installed the page is the device's block there (empty when it has none); otherwise
// /dev/mem is mapped when the system allows it. Empty on failure or for an unaligned address.
register_page map_register_page(std::uint32_t physical_page);

}  // namespace platform
