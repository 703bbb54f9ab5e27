// Serial ports, opened by the handheld's device name ("COM3:"), with the settings, time-outs and
// the infrared-mode escape functions the IR engine uses. On a simulated device the ports are the
// device's: opening its IR port and setting IR mode switches its IR UART into infrared mode. A
// name no device offers cannot be opened. Every call is recorded for tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using port_handle = std::intptr_t;
inline constexpr port_handle invalid_port_handle = -1;

// Bits of the flags word, in the handheld's layout.
namespace serial_flag {
inline constexpr std::uint32_t binary = 1u << 0;
inline constexpr std::uint32_t parity_check = 1u << 1;
inline constexpr std::uint32_t cts_flow = 1u << 2;
inline constexpr std::uint32_t dsr_flow = 1u << 3;
inline constexpr std::uint32_t dtr_control = 3u << 4;  // two bits; 1 = DTR on
inline constexpr std::uint32_t dsr_sensitivity = 1u << 6;
inline constexpr std::uint32_t tx_continue_on_xoff = 1u << 7;
inline constexpr std::uint32_t out_x = 1u << 8;
inline constexpr std::uint32_t in_x = 1u << 9;
inline constexpr std::uint32_t error_char = 1u << 10;
inline constexpr std::uint32_t null_strip = 1u << 11;
inline constexpr std::uint32_t rts_control = 3u << 12;  // two bits; 1 = RTS on
inline constexpr std::uint32_t abort_on_error = 1u << 14;
}  // namespace serial_flag

inline constexpr std::uint8_t no_parity = 0;
inline constexpr std::uint8_t one_stop_bit = 0;
inline constexpr std::uint8_t one_and_a_half_stop_bits = 1;
inline constexpr std::uint8_t two_stop_bits = 2;

struct serial_settings {
  std::uint32_t baud_rate = 9600;
  std::uint32_t flags = serial_flag::binary | serial_flag::parity_check | (1u << 4) | (1u << 12) |
                        serial_flag::abort_on_error;
  std::uint8_t data_bits = 8;
  std::uint8_t parity = no_parity;
  std::uint8_t stop_bits = one_stop_bit;

  bool operator==(const serial_settings&) const = default;
};

// Milliseconds; the read interval at its maximum with everything else 0 makes reads return at once.
struct serial_timeouts {
  std::uint32_t read_interval = 0;
  std::uint32_t read_total_multiplier = 0;
  std::uint32_t read_total_constant = 0;
  std::uint32_t write_total_multiplier = 0;
  std::uint32_t write_total_constant = 0;

  bool operator==(const serial_timeouts&) const = default;
};
inline constexpr std::uint32_t max_timeout = 0xFFFFFFFF;

enum class serial_escape_t : std::uint32_t {
  set_ir = 10,
  clear_ir = 11,
};

// Opens an existing device for reading and writing, not shared. 0 or an error number (ENOENT for
// a name no device offers, EBUSY when it is open already).
[[nodiscard]] int open_serial_port(std::wstring_view name, port_handle& out);
// false for a handle that is not open.
[[nodiscard]] bool get_serial_settings(port_handle port, serial_settings& out);
[[nodiscard]] bool set_serial_settings(port_handle port, const serial_settings& settings);
[[nodiscard]] bool set_serial_timeouts(port_handle port, const serial_timeouts& timeouts);
[[nodiscard]] bool escape_serial_function(port_handle port, serial_escape_t function);
bool close_serial_port(port_handle port);

// The record of every call that reached an open port (and every open attempt).
struct serial_event {
  enum class kind_t { open, open_failed, settings, timeouts, escape, close };
  kind_t kind = kind_t::open;
  std::wstring port;
  serial_settings settings;     // kind settings
  serial_timeouts timeouts;     // kind timeouts
  serial_escape_t escape{};     // kind escape
  std::uint64_t time_ns = 0;
};
const std::vector<serial_event>& serial_event_log();
// Clears the log; ports left open stay open.
void clear_serial_event_log();
// Closes every open port and clears the log (a test's fresh start).
void reset_serial_ports();
// Whether the named port is open now.
bool serial_port_is_open(std::wstring_view name);

}  // namespace platform
