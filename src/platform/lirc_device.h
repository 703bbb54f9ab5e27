// Linux infrared devices (/dev/lircN, the kernel's rc-core LIRC character devices): the one seam
// through which the IR engine reaches them. A device answers the 32-bit ioctls the engine uses,
// takes LIRC_MODE_PULSE writes (odd-length lists of microsecond values, pulse first and last,
// blocking until sent) and gives LIRC_MODE_MODE2 samples with a read time-out.
//
// The devices come from a source: the host's /dev by default, or one a test installs (a device
// double that records every request and plays back recorded samples). While a simulated handheld
// is installed and no source is, there are no LIRC devices: the handheld has none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace platform {

// The ioctls the engine makes, each with one 32-bit value (read by get_*, passed by set_*).
enum class lirc_request_t : std::uint32_t {
  get_features,              // LIRC_GET_FEATURES
  set_send_mode,             // LIRC_SET_SEND_MODE
  set_rec_mode,              // LIRC_SET_REC_MODE
  set_send_carrier,          // LIRC_SET_SEND_CARRIER, Hz
  set_send_duty_cycle,       // LIRC_SET_SEND_DUTY_CYCLE, percent
  set_measure_carrier_mode,  // LIRC_SET_MEASURE_CARRIER_MODE, 1 on, 0 off
};

// The kernel's values the engine uses (linux/lirc.h), so that callers need not include it.
namespace lirc {
inline constexpr std::uint32_t mode_pulse = 0x00000002;
inline constexpr std::uint32_t mode_mode2 = 0x00000004;
// Features.
inline constexpr std::uint32_t can_send_pulse = mode_pulse;
inline constexpr std::uint32_t can_rec_mode2 = mode_mode2 << 16;
inline constexpr std::uint32_t can_set_send_carrier = 0x00000100;
inline constexpr std::uint32_t can_set_send_duty_cycle = 0x00000200;
inline constexpr std::uint32_t can_measure_carrier = 0x02000000;
// Mode2 samples: the kind in the top byte, the value (microseconds or Hz) in the low 24 bits.
inline constexpr std::uint32_t kind_mask = 0xFF000000;
inline constexpr std::uint32_t value_mask = 0x00FFFFFF;
inline constexpr std::uint32_t space = 0x00000000;
inline constexpr std::uint32_t pulse = 0x01000000;
inline constexpr std::uint32_t frequency = 0x02000000;
inline constexpr std::uint32_t timeout = 0x03000000;
inline constexpr std::uint32_t overflow = 0x04000000;
// What the kernel accepts in one LIRC_MODE_PULSE write: at most 512 values, none zero, adding up
// to at most 500 ms.
inline constexpr std::size_t max_write_values = 512;
inline constexpr std::uint32_t max_write_us = 500000;
}  // namespace lirc

class lirc_device {
 public:
  virtual ~lirc_device() = default;
  // One ioctl. 0 or an error number (ENOTTY for a request the device does not support).
  [[nodiscard]] virtual int control(lirc_request_t request, std::uint32_t& value) = 0;
  // Sends the values (LIRC_MODE_PULSE) and returns when they have been sent. 0 or an error number.
  [[nodiscard]] virtual int write(std::span<const std::uint32_t> values) = 0;
  // Waits at most timeout_us for samples (LIRC_MODE_MODE2) and reads those available, at most
  // out.size(); got is 0 when the time ran out. 0 or an error number.
  [[nodiscard]] virtual int read(std::span<std::uint32_t> out, std::uint32_t timeout_us, std::size_t& got) = 0;
};

class lirc_device_source {
 public:
  virtual ~lirc_device_source() = default;
  // The N of each /dev/lircN, ascending.
  virtual std::vector<unsigned> device_numbers() = 0;
  // 0 or an error number (ENOENT when there is no such device).
  [[nodiscard]] virtual int open(unsigned number, std::unique_ptr<lirc_device>& out) = 0;
};

// Installs a source (null goes back to the host's devices). The caller keeps ownership.
void install_lirc_device_source(lirc_device_source* source);

std::vector<unsigned> lirc_device_numbers();
[[nodiscard]] int open_lirc_device(unsigned number, std::unique_ptr<lirc_device>& out);

// Convenience wrappers around control.
[[nodiscard]] inline int lirc_get(lirc_device& device, lirc_request_t request, std::uint32_t& out) {
  return device.control(request, out);
}
[[nodiscard]] inline int lirc_set(lirc_device& device, lirc_request_t request, std::uint32_t value) {
  return device.control(request, value);
}

}  // namespace platform
