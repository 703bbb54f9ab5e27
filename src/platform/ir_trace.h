// The infrared trace: every transmission as a "# send" line followed by its marks and spaces as
// "pulse US" / "space US" lines (the form zqtool prints and learns from). The headless backend
// writes it to the file ZEQUON_IR_TRACE names; the IR engine reports each transmission here, so
// the platform needs to know nothing about signals.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform::ir_trace {

// Starts the trace in a new file (a handheld path): 0 or the file seam's error.
[[nodiscard]] int open(std::wstring_view path);
void close();
bool is_open();

// Durations in microseconds, marks positive and spaces negative; a 0 is left out. passes: how
// many times the signal went out (its repeated part after the first), named on the "# send" line
// when known (above 0).
void transmission(std::span<const std::int32_t> durations, unsigned passes = 0);

// The lines of one transmission, each ending in a line feed.
std::string transmission_text(std::span<const std::int32_t> durations, unsigned passes = 0);

}  // namespace platform::ir_trace
