// The S3C24xx PWM timers 0-4: 16-bit down counters fed by PCLK through a prescaler (TCFG0: bits
// 0-7 for timers 0 and 1, bits 8-15 for timers 2-4) and a divider (TCFG1, four bits per timer:
// 0 half, 1 quarter, 2 eighth, 3 sixteenth; the external clock inputs are not simulated and count
// as a sixteenth). The control register TCON (0x08) holds per timer a start, a manual-update and
// an auto-reload bit (timer 0 bits 0/1/3, timer 1 bits 8/9/11, timer 2 12/13/15, timer 3
// 16/17/19, timer 4 20/21/22).
//
// A manual update loads the count buffer (TCNTBn) into the counter, which then shows it; setting
// the start bit counts down from the count buffer at the rate the prescaler and divider give at
// that moment, from 0 back to the count buffer with auto-reload (an underflow, which the
// interrupt controller shows as pending) or stopping at 0 without. Clearing the start bit holds
// the count. Reading a count observation register (TCNTOn) moves virtual time to the timer's next
// tick, as every simulated counter read does. The compare buffers only keep their values.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "hwsim/down_counter.h"
#include "hwsim/register_file.h"
#include "hwsim/s3c_clock_controller.h"

namespace hwsim {

class s3c_pwm_timers final : public register_file {
 public:
  static constexpr int timers = 5;
  static constexpr std::uint32_t config0_offset = 0x00;
  static constexpr std::uint32_t config1_offset = 0x04;
  static constexpr std::uint32_t control_offset = 0x08;
  static constexpr std::uint32_t count_buffer_offset[timers] = {0x0C, 0x18, 0x24, 0x30, 0x3C};
  static constexpr std::uint32_t count_observation_offset[timers] = {0x14, 0x20, 0x2C, 0x38, 0x40};
  static constexpr std::uint32_t start_bit[timers] = {1u << 0, 1u << 8, 1u << 12, 1u << 16, 1u << 20};
  static constexpr std::uint32_t update_bit[timers] = {1u << 1, 1u << 9, 1u << 13, 1u << 17, 1u << 21};
  static constexpr std::uint32_t auto_reload_bit[timers] = {1u << 3, 1u << 11, 1u << 15, 1u << 19, 1u << 22};

  // pacing_rate is told the rate of each of timers 2-4 when it starts: the one the IR driver
  // started last paces the LED.
  s3c_pwm_timers(const s3c_clock_controller& clock, std::function<void(std::uint64_t hz)> pacing_rate)
      : clock_(clock), pacing_rate_(std::move(pacing_rate)) {}

  std::uint32_t read32(std::uint32_t offset) override;
  void write32(std::uint32_t offset, std::uint32_t value) override;

  // The rate timer n counts at with the present prescaler and divider settings.
  std::uint64_t input_hz(int n) const;
  bool running(int n);
  // The count now, without moving time.
  std::uint32_t count(int n);
  // The timer started last (-1 none yet).
  int last_started() const { return last_started_; }

  // For the interrupt controller: a timer's unacknowledged underflow, its acknowledgement, and
  // the wait of a poll that sees nothing new: virtual time moves on to the next underflow of a
  // running auto-reload timer whose underflow is not pending yet (by the idle spin when none).
  bool underflow_pending(int n);
  void acknowledge(int n);
  void wait_for_underflow();

 private:
  // A counter of the present rate, started from the count buffer (held there when !run).
  void load(int n, bool run, bool auto_reload);

  const s3c_clock_controller& clock_;
  std::function<void(std::uint64_t)> pacing_rate_;
  std::optional<down_counter> counters_[timers];
  bool auto_reload_[timers] = {};
  int last_started_ = -1;
};

}  // namespace hwsim
