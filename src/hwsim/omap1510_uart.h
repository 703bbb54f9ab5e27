// OMAP1510 UART3 (page 0xFFFB9000, registers from offset 0x800, one byte every four) with the
// IrDA transceiver on its transmit pin. It sends bytes at its bit rate: a frame is a start bit
// (0), the eight data bits from the least significant, and one stop bit (1), each lasting
// 16 * divisor cycles of UART3's clock (48 or 12 MHz, see omap1510_configuration.h).
//
// Registers (offsets from 0x800): 0x00 transmit holding (divisor latch low while line control
// bit 7 is set), 0x04 interrupt enable (divisor latch high while bit 7 is set), 0x0C line control
// (bit 6 break, bit 7 divisor latch access), 0x14 line status (bit 5 holding register empty,
// bit 6 transmitter empty: nothing held and nothing shifting), 0x18 modem status, 0x20 mode
// definition 1 (bits 0-2: 0 plain UART with 16x clock, 1 IrDA SIR, 7 disabled). Others keep
// their values. FIFOs are not simulated: the transmitter holds one byte besides the one it is
// shifting out; a byte written while one is held replaces it.
//
// Only the plain UART mode sends: in any other mode a written byte is dropped and a frame being
// shifted stops; a divisor of 0 sends nothing either. A written byte starts its frame at once
// when the transmitter is idle, else right after the frame being shifted.
//
// The LED: the transceiver lights it while its transmit input is high (as IrDA transceivers do;
// in SIR mode the UART's encoder sends short high pulses for 0 bits). In the plain UART mode the
// input is the TX line itself: lit for the 1 bits, the stop bit and an idle line, dark for the
// start bit and the 0 bits. The break bit holds TX low, so it keeps the LED dark whatever is
// being shifted. The LED is also dark when UART3 is in another mode (SIR frames are not
// simulated) or its pin is given to another function. Thus 0x55 (start 0, then 1 0 1 0 1 0 1 0,
// stop 1) is a square wave of period two bits: bytes at a bit rate of twice a carrier frequency
// give that carrier, five cycles per byte, each dark first and lit second.
//
// Receiving: the board ties the transceiver's receive output (active low during carrier pulses)
// to UART3's CTS input as well as its RX input, so the level of the receive line can be sampled
// without taking the pin from the UART: modem status bit 4 reads 1 while the line is low. A read
// costs pin_read_ns of virtual time (and polls a long steady stretch in coarser steps, see
// ir_receiver::sample).
//
// The UART works out its TX line lazily: at each register access (and each change of the pin
// routing or clock) it first records every LED change since the last access at the time it
// happened, then applies the access.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "hwsim/ir_receiver.h"
#include "hwsim/led_recorder.h"
#include "hwsim/omap1510_configuration.h"
#include "hwsim/register_file.h"

namespace hwsim {

struct break_change {
  std::uint64_t time_ns = 0;
  bool on = false;

  bool operator==(const break_change&) const = default;
};

struct sent_byte {
  std::uint64_t start_ns = 0;  // the start bit's leading edge
  std::uint8_t value = 0;
  std::uint32_t cycles_per_bit = 0;
  std::uint64_t clock_hz = 0;

  bool operator==(const sent_byte&) const = default;
};

class omap1510_uart final : public register_file {
 public:
  static constexpr std::uint32_t page = 0xFFFB9000;
  static constexpr std::uint32_t base = 0x800;
  // Register offsets from base.
  static constexpr std::uint32_t thr = 0x00;
  static constexpr std::uint32_t dll = 0x00;
  static constexpr std::uint32_t ier = 0x04;
  static constexpr std::uint32_t dlh = 0x04;
  static constexpr std::uint32_t lcr = 0x0C;
  static constexpr std::uint32_t lsr = 0x14;
  static constexpr std::uint32_t msr = 0x18;
  static constexpr std::uint32_t mdr1 = 0x20;

  static constexpr std::uint8_t lcr_break = 0x40;
  static constexpr std::uint8_t lcr_divisor_access = 0x80;
  static constexpr std::uint8_t lsr_holding_empty = 0x20;
  static constexpr std::uint8_t lsr_transmitter_empty = 0x40;
  static constexpr std::uint8_t msr_cts = 0x10;
  static constexpr std::uint8_t mode_mask = 0x07;
  static constexpr std::uint8_t mode_uart_16x = 0;
  static constexpr std::uint8_t mode_sir = 1;
  static constexpr std::uint8_t mode_disabled = 7;

  // The simulated board at power-on: IrDA SIR at 9600 bit/s on the 12 MHz clock (divisor 78),
  // 8 data bits, no parity, one stop bit, receive and line-status interrupts enabled.
  static constexpr std::uint8_t initial_mdr1 = mode_sir;
  static constexpr std::uint8_t initial_lcr = 0x03;
  static constexpr std::uint16_t initial_divisor = 78;
  static constexpr std::uint8_t initial_ier = 0x05;

  omap1510_uart(led_recorder& led, const ir_receiver& receiver, const omap1510_configuration& configuration);

  std::uint8_t read8(std::uint32_t offset) override;
  void write8(std::uint32_t offset, std::uint8_t value) override;
  // Word accesses reach the same byte registers.
  std::uint32_t read32(std::uint32_t offset) override { return read8(offset); }
  void write32(std::uint32_t offset, std::uint32_t value) override { write8(offset, static_cast<std::uint8_t>(value)); }

  // Records the LED changes up to now; then the pin routing or clock may change.
  void catch_up();
  // Sets the LED from the current settings, now.
  void drive_led();

  // The registers as they stand, without side effects.
  std::uint16_t divisor() const { return static_cast<std::uint16_t>(dll_ | (dlh_ << 8)); }
  std::uint8_t line_control() const { return lcr_; }
  std::uint8_t interrupt_enable() const { return ier_; }
  std::uint8_t mode() const { return mdr1_; }
  // Every change of the break bit, and every byte sent, with its time.
  const std::vector<break_change>& break_changes() const { return breaks_; }
  const std::vector<sent_byte>& sent() const { return sent_; }

 private:
  // A frame from an idle transmitter, now.
  void start_frame(std::uint8_t value, std::uint32_t cycles_per_bit, std::uint64_t clock_hz);
  std::uint64_t bit_start_ns(unsigned bit) const;
  void stop_sending();
  bool led_level() const;

  led_recorder& led_;
  const ir_receiver& receiver_;
  const omap1510_configuration& configuration_;

  std::uint8_t dll_ = initial_divisor & 0xFF;
  std::uint8_t dlh_ = initial_divisor >> 8;
  std::uint8_t ier_ = initial_ier;
  std::uint8_t lcr_ = initial_lcr;
  std::uint8_t mdr1_ = initial_mdr1;

  // The frame being shifted out and the next bit whose leading edge is still to come (10: the
  // frame's end). Frames that follow each other without a gap are timed from the first of them
  // (its start, and the bits shifted since), so that rounding never adds up.
  bool shifting_ = false;
  sent_byte frame_;
  std::uint64_t first_frame_ns_ = 0;
  std::uint64_t frame_bit_ = 0;
  unsigned next_bit_ = 0;
  std::optional<std::uint8_t> held_;
  bool tx_line_ = true;  // idle high

  std::vector<break_change> breaks_;
  std::vector<sent_byte> sent_;
};

}  // namespace hwsim
