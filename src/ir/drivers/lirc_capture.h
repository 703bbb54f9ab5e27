// Learning through a LIRC device (LIRC_MODE_MODE2). The kernel hands over whole pulses and spaces
// in microseconds, each when it has ended, so the capture keeps the limits of the pin-polling loop
// (ir/capture_loop.h) and times them on the platform clock:
//   - 20 s for the first pulse (17 when none comes); samples before it are ignored;
//   - a pulse longer than 800 ms (6), also when no pulse has ended 800 ms after it began;
//   - the end of the signal: 200 ms after a pulse without the next one beginning, a space of at
//     least 200 ms, a time-out report of at least 200 ms, or a receiver overflow; the last mark
//     is kept and no space after it;
//   - the fourth space longer than 20 ms ends the capture after that space; at most 299 durations.
// Neighbouring pulses (or spaces) add up. The first frequency report gives the carrier period
// (whole microseconds, rounded down); without one the carrier is taken as 38 kHz (period 26); a
// carrier slower than 10 kHz gives 5. A device that fails gives 13.
#pragma once

#include "ir/capture_loop.h"
#include "platform/lirc_device.h"

namespace redeye {

inline constexpr std::uint16_t lirc_assumed_carrier_period = 26;  // 38 kHz

// Fills run (code, carrier period, durations, stored) from the device's samples.
void capture_mode2(platform::lirc_device& device, capture_run& run);

}  // namespace redeye
