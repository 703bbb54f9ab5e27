// The PXA interrupt controller. Only the mask register (ICMR, offset 0x04; a set bit enables that
// interrupt) matters to the IR drivers; every write to it is recorded with its time so that tests
// can see exactly when interrupts were masked.
#pragma once

#include <cstdint>
#include <vector>

#include "hwsim/register_file.h"
#include "platform/clock.h"

namespace hwsim {

struct mask_write {
  std::uint64_t time_ns = 0;
  std::uint32_t value = 0;

  bool operator==(const mask_write&) const = default;
};

class pxa_interrupt_controller final : public register_file {
 public:
  static constexpr std::uint32_t mask_offset = 0x04;
  // What the simulated system has enabled at start: the OS timer's first two match interrupts
  // (bits 26, 27) among others, so that tests see both kept and removed bits.
  static constexpr std::uint32_t initial_mask = 0x8C420A00;

  pxa_interrupt_controller() { store(mask_offset, initial_mask); }

  void write32(std::uint32_t offset, std::uint32_t value) override {
    if (offset == mask_offset) writes_.push_back({platform::clock::now_ns(), value});
    register_file::write32(offset, value);
  }

  std::uint32_t mask() const { return stored(mask_offset); }
  const std::vector<mask_write>& mask_writes() const { return writes_; }

 private:
  std::vector<mask_write> writes_;
};

}  // namespace hwsim
