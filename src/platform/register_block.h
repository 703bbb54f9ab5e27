// A block of memory-mapped registers that is not real memory: the simulated hardware implements
// one per physical register page, and a register page dispatches to it.
#pragma once

#include <cstdint>

namespace platform {

class register_block {
 public:
  virtual ~register_block() = default;
  // offset: byte offset inside the 4 KB page.
  virtual std::uint32_t read32(std::uint32_t offset) = 0;
  virtual void write32(std::uint32_t offset, std::uint32_t value) = 0;
  virtual std::uint8_t read8(std::uint32_t offset) = 0;
  virtual void write8(std::uint32_t offset, std::uint8_t value) = 0;
};

}  // namespace platform
