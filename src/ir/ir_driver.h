// The IR driver: one object per program that takes over the handheld's infrared LED and receiver.
// The base class holds the loaded signal, the serial port that powers the IrDA transceiver and
// the transmitting thread's scheduling; each processor family derives from it (ir/drivers/) and
// plays the signal with its own busy loops inside the common transmit frame given here.
//
// The virtual operations keep this slot order: close, load, transmit, receive, destructor, open.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "base/result.h"
#include "ir/driver_waveform.h"
#include "ir/signal_data.h"
#include "ir/transmit_time.h"
#include "platform/clock.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"
#include "platform/thread_priority.h"

namespace redeye {

struct capture_run;

class CIrDrvr {
 public:
  CIrDrvr();
  CIrDrvr(const CIrDrvr&) = delete;
  CIrDrvr& operator=(const CIrDrvr&) = delete;

  // 1. Leaves infrared mode and closes the port when it is open; the handle becomes invalid.
  virtual void close();
  // 2. Takes the signal (at most 300 durations; the closing space of a signal without repeated
  // part is added), computes the program's carrier half-periods, then opens. 11 without
  // durations, 12 for carrier 0, else open's code.
  [[nodiscard]] virtual zq::result_t load(const std::int32_t* durations, std::uint16_t count,
                                          std::uint16_t repeat_index, std::uint16_t carrier_period);
  // 3. Plays the loaded signal: pass count 0 three passes, 0xFFFF one, n n; a hold key (0 none)
  // keeps a default or single-pass transmission going while it is down.
  [[nodiscard]] virtual zq::result_t transmit(std::uint16_t pass_count, int hold_key) = 0;
  // 4. Opens the port, captures one signal from the receiver, closes the port.
  [[nodiscard]] virtual zq::result_t receive() = 0;
  // 5.
  virtual ~CIrDrvr();
  // 6. Makes the IR hardware usable: remembers the thread on the first open, then opens the
  // named serial port in infrared mode (304 without a name, 13 when it cannot be opened).
  [[nodiscard]] virtual zq::result_t open();

  // The serial device chosen for the IrDA port ("COM3:"), empty when none is chosen.
  void set_port_name(std::wstring name) { port_name_ = std::move(name); }
  const std::wstring& port_name() const { return port_name_; }
  bool port_is_open() const { return port_ != platform::invalid_port_handle && port_ != 0; }

  // The loaded or captured signal.
  std::uint16_t count() const { return count_; }
  std::uint16_t start_index() const { return start_index_; }
  std::uint16_t repeat_index() const { return repeat_index_; }
  std::uint16_t carrier_period() const { return carrier_period_; }
  std::span<const std::int32_t> durations() const { return {durations_.data(), count_}; }
  // A copy of the captured signal: count durations, the repeat index (at most count), the period.
  signal_data captured_signal() const;

  // The passes the last transmit made, empty ones included (a signal without repeated part sends
  // nothing after its first pass); counted by the common frame.
  unsigned passes_played() const { return passes_played_; }

  // The carrier half-periods in timer ticks, one pair for the whole program, written by load.
  static const carrier_ticks& carrier() { return shared_carrier_; }

 protected:
  // The transmit priority families raise the thread to while a pass plays.
  static constexpr int priority_0 = 0;
  static constexpr int priority_1 = 1;

  // Open, step by step, for families that open differently.
  // On the first open: the calling thread, its priority and its quantum.
  void remember_thread();
  // The serial port part of open: 0 when open already, 304, 13, else opened at 2400 baud, 8 data
  // bits, no parity, 1.5 stop bits, reads returning at once, in infrared mode.
  [[nodiscard]] zq::result_t open_port();

  // The common transmit frame.
  // Step 1 of every transmit and receive: 301 when the family's blocks are not mapped, 302 before
  // a successful open, 12 for carrier 0.
  [[nodiscard]] zq::result_t check_ready(bool blocks_mapped) const;
  // Lets the transceiver settle after the switch to infrared mode: 100 ms.
  static void settle_transceiver() { platform::clock::sleep(settle_ms); }
  static constexpr std::uint32_t settle_ms = 100;
  // Plays the passes. Fixed mode (no hold key, or a pass count other than 0 and 0xFFFF): the
  // thread runs at priority for all passes. Hold mode: passes go on while fewer than the minimum
  // (3 or 1) have been played or the hold key is down; each pass raises the priority before its
  // first duration and restores it just before its last, so the key is tested at normal priority.
  // Player has inline mark(microseconds >= 0) and space(microseconds < 0).
  template <class Player>
  void play_passes(std::uint16_t pass_count, int hold_key, int priority, Player& player);
  // Discards the stylus messages, then the key messages, queued while the loop ran.
  static void purge_input();
  // The end of every family's receive, after its capture loop (ir/capture_loop.h) and after it gave
  // the receive pin back: closes the port, discards the stylus input queued meanwhile, then returns
  // the loop's code (17, 5, 6; nothing is captured) or keeps the measured carrier period and the
  // post-processed buffer as the captured signal and returns the post-processing's code (0, 201).
  [[nodiscard]] zq::result_t finish_capture(const capture_run& run);
  void set_priority(int priority) const { platform::set_thread_priority(thread_, priority); }
  void restore_priority() const { platform::set_thread_priority(thread_, saved_priority_); }

  // The signal, in declaration order as every family sees it.
  std::uint16_t count_ = 0;
  std::uint16_t start_index_ = 0;   // where the next pass begins
  std::uint16_t repeat_index_ = 0;
  std::uint16_t carrier_period_ = 0;  // microseconds; after a capture the measured period
  platform::port_handle port_ = platform::invalid_port_handle;
  std::array<std::int32_t, max_driver_durations> durations_{};
  std::wstring port_name_;
  bool repeat_detection_ = true;      // a capture looks for the repeated part (never changed)
  std::int32_t current_duration_ = 0;  // the duration being played
  std::uint32_t counter_rate_ = 0;    // high-resolution counter ticks per millisecond
  platform::thread_id thread_ = 0;    // the transmitting thread, 0 until the first open
  int saved_priority_ = 0;            // 0: no open yet (transmit and receive refuse with 302)
  std::uint32_t saved_quantum_ = platform::default_thread_quantum;

 private:
  template <class Player>
  void play_pass(Player& player, bool priority_per_pass, int priority);

  static carrier_ticks shared_carrier_;
  unsigned passes_played_ = 0;
};

template <class Player>
void CIrDrvr::play_passes(std::uint16_t pass_count, int hold_key, int priority, Player& player) {
  const unsigned minimum = passes_of(pass_count);
  passes_played_ = 0;
  const bool fixed = hold_key == 0 || (pass_count != passes_default && pass_count != passes_once);
  if (fixed) {
    set_priority(priority);
    for (unsigned pass = 0; pass < minimum; ++pass) play_pass(player, false, priority);
    restore_priority();
    return;
  }
  for (unsigned pass = 0; pass < minimum || platform::key_is_down(hold_key); ++pass)
    play_pass(player, true, priority);
}

template <class Player>
void CIrDrvr::play_pass(Player& player, bool priority_per_pass, int priority) {
  const std::uint16_t end = count_;
  if (start_index_ >= end) {
    // Nothing to repeat: a held key keeps the loop turning without output.
    if (priority_per_pass) platform::clock::idle_spin();
  } else {
    if (priority_per_pass) set_priority(priority);
    for (std::uint16_t i = start_index_; i < end; ++i) {
      if (priority_per_pass && i + 1 == end) restore_priority();
      current_duration_ = durations_[i];
      if (current_duration_ >= 0)
        player.mark(current_duration_);
      else
        player.space(current_duration_);
    }
  }
  start_index_ = repeat_index_;
  ++passes_played_;
}

}  // namespace redeye
