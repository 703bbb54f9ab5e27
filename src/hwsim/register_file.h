// The base of the simulated register blocks: a 4 KB page of plain 32-bit registers that keep
// what is written to them. A block overrides read32/write32 for the registers that behave
// otherwise (counters, set/clear registers, levels) and leaves the rest to this base. Byte access
// reads and writes the stored bytes (little-endian lanes) without side effects; a block whose
// byte registers have some overrides read8/write8 too.
#pragma once

#include <array>
#include <cstdint>

#include "platform/register_block.h"
#include "platform/register_page.h"

namespace hwsim {

class register_file : public platform::register_block {
 public:
  std::uint32_t read32(std::uint32_t offset) override { return word(offset); }
  void write32(std::uint32_t offset, std::uint32_t value) override { word(offset) = value; }
  std::uint8_t read8(std::uint32_t offset) override {
    return static_cast<std::uint8_t>(word(offset) >> (8 * (offset & 3)));
  }
  void write8(std::uint32_t offset, std::uint8_t value) override {
    const unsigned shift = 8 * (offset & 3);
    std::uint32_t& w = word(offset);
    w = (w & ~(0xFFu << shift)) | (std::uint32_t{value} << shift);
  }

  // The stored value, for the block's own use and for tests (no side effects).
  std::uint32_t stored(std::uint32_t offset) const { return words_[(offset % platform::register_page_size) / 4]; }
  void store(std::uint32_t offset, std::uint32_t value) { word(offset) = value; }

 protected:
  std::uint32_t& word(std::uint32_t offset) { return words_[(offset % platform::register_page_size) / 4]; }

 private:
  std::array<std::uint32_t, platform::register_page_size / 4> words_{};
};

}  // namespace hwsim
