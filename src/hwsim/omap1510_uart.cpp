#include "hwsim/omap1510_uart.h"

#include "hwsim/tick_clock.h"
#include "platform/clock.h"

namespace hwsim {

namespace {

constexpr unsigned frame_bits = 10;  // start, 8 data, stop

// The level of bit i of a frame: start 0, data from the least significant bit, stop 1.
bool bit_level(std::uint8_t value, unsigned i) {
  if (i == 0) return false;
  if (i > 8) return true;
  return ((value >> (i - 1)) & 1u) != 0;
}

}  // namespace

omap1510_uart::omap1510_uart(led_recorder& led, const ir_receiver& receiver,
                             const omap1510_configuration& configuration)
    : led_(led), receiver_(receiver), configuration_(configuration) {}

bool omap1510_uart::led_level() const {
  return (mdr1_ & mode_mask) == mode_uart_16x && configuration_.uart3_tx_routed() && (lcr_ & lcr_break) == 0 &&
         tx_line_;
}

void omap1510_uart::drive_led() { led_.set_at(led_level(), platform::clock::now_ns()); }

void omap1510_uart::catch_up() {
  const std::uint64_t now = platform::clock::now_ns();
  while (shifting_) {
    const std::uint64_t edge_ns = bit_start_ns(next_bit_);
    if (edge_ns > now) return;
    if (next_bit_ < frame_bits) {
      tx_line_ = bit_level(frame_.value, next_bit_);
      ++next_bit_;
    } else if (held_) {
      // The held byte follows without a gap, timed from the same first frame.
      frame_bit_ += frame_bits;
      next_bit_ = 0;
      frame_.start_ns = edge_ns;
      frame_.value = *held_;
      held_.reset();
      sent_.push_back(frame_);
      continue;
    } else {
      shifting_ = false;
      tx_line_ = true;
    }
    led_.set_at(led_level(), edge_ns);
  }
}

std::uint64_t omap1510_uart::bit_start_ns(unsigned bit) const {
  const std::uint64_t cycles = (frame_bit_ + bit) * std::uint64_t{frame_.cycles_per_bit};
  return first_frame_ns_ + tick_clock::time_of_tick(cycles, frame_.clock_hz);
}

void omap1510_uart::start_frame(std::uint8_t value, std::uint32_t cycles_per_bit, std::uint64_t clock_hz) {
  shifting_ = true;
  first_frame_ns_ = platform::clock::now_ns();
  frame_bit_ = 0;
  next_bit_ = 0;
  frame_ = {first_frame_ns_, value, cycles_per_bit, clock_hz};
  sent_.push_back(frame_);
}

void omap1510_uart::stop_sending() {
  shifting_ = false;
  held_.reset();
  tx_line_ = true;
}

std::uint8_t omap1510_uart::read8(std::uint32_t offset) {
  if (offset < base) return register_file::read8(offset);
  const bool divisor_access = (lcr_ & lcr_divisor_access) != 0;
  switch (offset - base) {
    case thr:
      return divisor_access ? dll_ : 0;
    case ier:
      return divisor_access ? dlh_ : ier_;
    case lcr:
      return lcr_;
    case mdr1:
      return mdr1_;
    case lsr: {
      catch_up();
      std::uint8_t status = 0;
      if (!held_) status |= lsr_holding_empty;
      if (!held_ && !shifting_) status |= lsr_transmitter_empty;
      return status;
    }
    case msr:
      platform::clock::advance_by(pin_read_ns);
      return receiver_.sample() ? 0 : msr_cts;
    default:
      return register_file::read8(offset);
  }
}

void omap1510_uart::write8(std::uint32_t offset, std::uint8_t value) {
  if (offset < base) {
    register_file::write8(offset, value);
    return;
  }
  const bool divisor_access = (lcr_ & lcr_divisor_access) != 0;
  catch_up();
  switch (offset - base) {
    case thr: {
      if (divisor_access) {
        dll_ = value;
        return;
      }
      if ((mdr1_ & mode_mask) != mode_uart_16x || divisor() == 0) return;
      if (shifting_) {
        held_ = value;
        return;
      }
      start_frame(value, 16u * divisor(), configuration_.uart3_clock_hz());
      catch_up();
      return;
    }
    case ier:
      (divisor_access ? dlh_ : ier_) = value;
      return;
    case lcr: {
      const bool was_break = (lcr_ & lcr_break) != 0;
      lcr_ = value;
      const bool is_break = (lcr_ & lcr_break) != 0;
      if (was_break != is_break) breaks_.push_back({platform::clock::now_ns(), is_break});
      drive_led();
      return;
    }
    case mdr1:
      mdr1_ = value;
      if ((mdr1_ & mode_mask) != mode_uart_16x) stop_sending();
      drive_led();
      return;
    case lsr:
    case msr:
      return;  // read-only
    default:
      register_file::write8(offset, value);
  }
}

}  // namespace hwsim
