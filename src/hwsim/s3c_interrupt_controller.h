// The S3C24xx interrupt controller as the IR driver uses it: the source-pending register
// (SRCPND, 0x00) and interrupt-pending register (INTPND, 0x10), in which PWM timer n raises bit
// 10 + n on each underflow, both cleared by writing 1 to a bit; and the mask register (INTMSK,
// 0x08; a set bit masks that interrupt), every write of which is recorded with its time.
//
// A read of the source-pending register is a poll of the timers: when it would show the same
// bits as the read before it, virtual time first moves on to the next underflow of a running
// timer, so that a loop waiting for an underflow sees its bit at the very tick it happens without
// spinning through every tick in between. The interrupt-pending register reads the source-pending bits that
// are neither masked nor routed to FIQ (INTMOD, 0x04); the priority arbitration that leaves only
// one of them set is not simulated.
#pragma once

#include <cstdint>
#include <vector>

#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/register_file.h"
#include "hwsim/s3c_pwm_timers.h"

namespace hwsim {

class s3c_interrupt_controller final : public register_file {
 public:
  static constexpr std::uint32_t source_pending_offset = 0x00;
  static constexpr std::uint32_t mode_offset = 0x04;
  static constexpr std::uint32_t mask_offset = 0x08;
  static constexpr std::uint32_t interrupt_pending_offset = 0x10;
  static constexpr std::uint32_t timer_bit(int n) { return 1u << (10 + n); }
  // What the simulated system has enabled at start: external interrupt 0, the system tick
  // (timer 4), UART1 and UART0.
  static constexpr std::uint32_t initial_mask = 0xEF7FBFFE;

  explicit s3c_interrupt_controller(s3c_pwm_timers& timers) : timers_(timers) { store(mask_offset, initial_mask); }

  std::uint32_t read32(std::uint32_t offset) override;
  void write32(std::uint32_t offset, std::uint32_t value) override;

  std::uint32_t mask() const { return stored(mask_offset); }
  const std::vector<mask_write>& mask_writes() const { return writes_; }

 private:
  std::uint32_t source_pending();

  s3c_pwm_timers& timers_;
  std::uint32_t last_polled_ = 0;  // what the last read of the source-pending register showed
  std::vector<mask_write> writes_;
};

}  // namespace hwsim
