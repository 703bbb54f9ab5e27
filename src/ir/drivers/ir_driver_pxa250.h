// The driver of the PXA250, PXA255 and PXA26x processors. It finds the UART the platform has put
// into infrared mode (FF, BT or ST), takes that UART's transmit pin away from it as a plain GPIO
// output and synthesises the carrier cycle by cycle, timed by the 3.6864 MHz OS timer. Interrupts
// other than the OS timer matches are masked during each mark only.
//
// The PXA27x driver shares the blocks, the UART probe and the loops, with its own timer rate and
// interrupt mask: transmit_with is its entry.
#pragma once

#include <cstdint>

#include "ir/ir_driver.h"
#include "platform/register_page.h"

namespace redeye {

class CIrDrvrPXA250 : public CIrDrvr {
 public:
  CIrDrvrPXA250();
  [[nodiscard]] zq::result_t transmit(std::uint16_t pass_count, int hold_key) override;
  [[nodiscard]] zq::result_t receive() override;
  ~CIrDrvrPXA250() override;
  // Probes the UARTs; when none is in infrared mode, opens the serial port in infrared mode (the
  // base open) and probes again. 0 even when still none is found: transmit and receive report it.
  [[nodiscard]] zq::result_t open() override;

  // Physical addresses and register offsets.
  static constexpr std::uint32_t os_timer_page = 0x40A00000;
  static constexpr std::uint32_t gpio_page = 0x40E00000;
  static constexpr std::uint32_t interrupt_page = 0x40D00000;
  static constexpr std::uint32_t uart_pages[3] = {0x40100000, 0x40200000, 0x40700000};  // FF, BT, ST
  static constexpr std::uint32_t counter = 0x10;           // OS timer count (OSCR)
  static constexpr std::uint32_t level_1 = 0x04;           // GPIO 32-63 level (GPLR1)
  static constexpr std::uint32_t direction_1 = 0x10;       // GPIO 32-63 direction (GPDR1)
  static constexpr std::uint32_t set_1 = 0x1C;             // GPIO 32-63 output set (GPSR1)
  static constexpr std::uint32_t clear_1 = 0x28;           // GPIO 32-63 output clear (GPCR1)
  static constexpr std::uint32_t alternate_1_lower = 0x5C;  // GPIO 32-47 alternate functions (GAFR1_L)
  static constexpr std::uint32_t interrupt_mask = 0x04;    // ICMR
  static constexpr std::uint32_t uart_ier = 0x04;
  static constexpr std::uint32_t uart_isr = 0x20;
  // Interrupts left enabled during a mark: the OS timer matches, bits 26 to 29.
  static constexpr std::uint32_t os_timer_interrupts = 0x3C000000;

  // By chosen UART (1 FF, 2 BT, 3 ST): the LED pin (GPIO 39, 43, 47) and the receive pin (GPIO 34,
  // 42, 46) as bank-1 bits, with the masks that clear their alternate-function bits.
  static constexpr std::uint32_t led_bits[4] = {0, 1u << 7, 1u << 11, 1u << 15};
  static constexpr std::uint32_t led_alternate_masks[4] = {0, 0xFFFF3FFF, 0xFF3FFFFF, 0x3FFFFFFF};
  static constexpr std::uint32_t receive_bits[4] = {0, 1u << 2, 1u << 10, 1u << 14};
  static constexpr std::uint32_t receive_alternate_masks[4] = {0, 0xFFFFFFCF, 0xFFCFFFFF, 0xCFFFFFFF};

 protected:
  bool blocks_mapped() const { return timer_.is_mapped() && gpio_.is_mapped() && interrupts_.is_mapped(); }
  // Chooses the first UART in infrared mode (unit enabled and an infrared bit set), 0 when none.
  static int probe_uarts();

  // The transmit frame and loops with a family's timing: the carrier half-periods, the space
  // ticks per millisecond, and the interrupt bits kept enabled during a mark.
  [[nodiscard]] zq::result_t transmit_with(std::uint16_t pass_count, int hold_key, carrier_ticks carrier,
                                           std::uint32_t space_ticks_per_ms, std::uint32_t kept_interrupts);

  platform::register_page timer_;
  platform::register_page gpio_;
  platform::register_page interrupts_;

  // A receive with the OS timer counting ticks_per_ms (3686 here, 3250 on the PXA27x): the receive
  // pin of the chosen UART becomes a plain input, sampled in the level register of bank 1 by the
  // capture loop at priority 1 without time slicing; the pin registers are restored afterwards.
  [[nodiscard]] zq::result_t receive_with(std::uint32_t ticks_per_ms);
};

}  // namespace redeye
