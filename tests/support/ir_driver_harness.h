// Helpers the driver tests share: a device with its infrared UART, a real-world NEC signal, the LED
// edges as timer ticks, loading the program's driver and looking at the serial port's record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "hwsim/device.h"
#include "ir/ir_driver.h"
#include "support/pxa_led_model.h"

namespace zqtest {

// A processor text's device with the UART wired to the IrDA transceiver (0 none), in infrared mode
// from the start or not, reporting clock_hz (0: the family's usual clock).
hwsim::device_description described(std::string_view processor_text, int ir_uart, bool ir_mode_at_start = true,
                                    std::uint32_t clock_hz = 0);

// An NEC frame for a 32-bit code (leader, 32 bits least significant first, stop bit, the gap to
// the next frame), then the repeat frame a remote sends while the button is held; repeat is the
// index of the repeat frame.
std::vector<std::int32_t> nec_signal(std::uint32_t code, std::uint16_t& repeat);

// The recorded LED edges as ticks of a timer running at hz.
std::vector<tick_edge> recorded_ticks(hwsim::device& device, std::uint64_t hz);

// The program's driver with the signal loaded (expects load to succeed).
redeye::CIrDrvr& load_driver(const std::vector<std::int32_t>& durations, std::uint16_t repeat,
                             std::uint16_t period, std::wstring port = L"");

// Whether a serial port was opened since the platform's records were cleared.
bool serial_port_opened();

// Checks a learned signal against what the remote sent. A mark is timed from the start of its
// first carrier pulse to the start of its last, so it comes out up to one period short (the very
// first up to two: its first pulse only starts the carrier measurement) and the space after it
// that much longer.
void expect_learned(const std::vector<std::int32_t>& learned, const std::vector<std::int32_t>& sent,
                    std::int32_t period);

// Plays a held NEC button (the frame and six repeat frames, starting one second into the capture)
// into the device's receiver, learns it with the program's driver on port, and checks the learned
// signal: the frame and its gap, then the repeat frame as the repeated part, carrier 26, every
// duration within one of the remote's periods (26.3 us at 38 kHz, rounded up). Returns the driver.
redeye::CIrDrvr& learn_held_nec(hwsim::device& device, std::wstring port = L"");

}  // namespace zqtest
