// LIRC devices for tests: real objects behind the platform's LIRC seam that behave as the kernel
// does where the IR engine can tell — a write of values the kernel would refuse fails with EINVAL,
// an accepted write takes its duration on the virtual clock, reads play recorded mode2 samples at
// the times they would arrive — and record every request and write.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/lirc_device.h"

namespace zqtest {

struct lirc_control_call {
  platform::lirc_request_t request{};
  std::uint32_t value = 0;  // passed, or answered for a get
  bool operator==(const lirc_control_call&) const = default;
};

struct lirc_write_call {
  std::uint64_t time_ns = 0;  // when the write began
  std::vector<std::uint32_t> values;
};

class lirc_device_double {
 public:
  explicit lirc_device_double(std::uint32_t features) : features(features) {}

  std::uint32_t features;
  int failure = 0;  // not 0: every write and read fails with it (a device pulled out)

  std::vector<lirc_control_call> controls;  // every ioctl, in order
  std::vector<lirc_write_call> writes;      // every accepted write
  int refused_writes = 0;                   // writes the kernel would have refused
  int opens = 0;

  // Queues mode2 samples as the kernel reports a signal that begins now: a pulse or space arrives
  // when it ends (its length after the one before); a time-out report that long after the last
  // pulse or space, without moving the edges (the space reported next still counts the whole
  // gap); any other sample together with the one before.
  void play(std::span<const std::uint32_t> samples);

  // The writes as text, one "MICROSECONDS: V V V" line each, time counted from 0.
  std::string writes_text() const;

  // The seam's calls, for the device objects this double hands out.
  int control(platform::lirc_request_t request, std::uint32_t& value);
  int write(std::span<const std::uint32_t> values);
  int read(std::span<std::uint32_t> out, std::uint32_t timeout_us, std::size_t& got);

 private:
  struct arrival {
    std::uint64_t time_ns;
    std::uint32_t sample;
  };
  std::vector<arrival> pending_;
  std::size_t next_ = 0;
  std::uint64_t edge_ns_ = 0;  // where the last queued pulse or space ends
};

// Mode2 samples.
std::uint32_t pulse(std::uint32_t us);
std::uint32_t space(std::uint32_t us);
std::uint32_t frequency(std::uint32_t hz);
std::uint32_t timeout_report(std::uint32_t us);
// A signal's durations as mode2 samples (marks pulses, spaces spaces).
std::vector<std::uint32_t> mode2_of(std::span<const std::int32_t> durations);

// The platform's LIRC devices for one test: none until added. Installed from construction to
// destruction, on the virtual clock from 0 with the platform's records and the IR driver cleared
// before and after.
class lirc_devices_double final : public platform::lirc_device_source {
 public:
  lirc_devices_double();
  ~lirc_devices_double() override;
  lirc_devices_double(const lirc_devices_double&) = delete;
  lirc_devices_double& operator=(const lirc_devices_double&) = delete;

  lirc_device_double& add(unsigned number, std::uint32_t features);

  std::vector<unsigned> device_numbers() override;
  int open(unsigned number, std::unique_ptr<platform::lirc_device>& out) override;

 private:
  std::map<unsigned, std::unique_ptr<lirc_device_double>> devices_;
};

}  // namespace zqtest
