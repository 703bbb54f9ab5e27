#include "support/lirc_device_double.h"

#include <cerrno>

#include "platform/clock.h"
#include "support/simulated_handheld.h"

namespace zqtest {

namespace lirc = platform::lirc;
using platform::lirc_request_t;

namespace {

// What the driver holds: the double's calls, for as long as the driver keeps it open.
class opened_double final : public platform::lirc_device {
 public:
  explicit opened_double(lirc_device_double& device) : device_(device) {}
  int control(lirc_request_t request, std::uint32_t& value) override { return device_.control(request, value); }
  int write(std::span<const std::uint32_t> values) override { return device_.write(values); }
  int read(std::span<std::uint32_t> out, std::uint32_t timeout_us, std::size_t& got) override {
    return device_.read(out, timeout_us, got);
  }

 private:
  lirc_device_double& device_;
};

}  // namespace

void lirc_device_double::play(std::span<const std::uint32_t> samples) {
  if (pending_.empty()) edge_ns_ = platform::clock::now_ns();
  for (const std::uint32_t sample : samples) {
    const std::uint32_t kind = sample & lirc::kind_mask;
    const std::uint64_t length = std::uint64_t{sample & lirc::value_mask} * 1000;
    if (kind == lirc::pulse || kind == lirc::space) {
      edge_ns_ += length;
      pending_.push_back({edge_ns_, sample});
    } else if (kind == lirc::timeout) {
      pending_.push_back({edge_ns_ + length, sample});
    } else {
      pending_.push_back({pending_.empty() ? edge_ns_ : pending_.back().time_ns, sample});
    }
  }
}

std::string lirc_device_double::writes_text() const {
  std::string text;
  for (const lirc_write_call& call : writes) {
    text += std::to_string(call.time_ns / 1000) + ":";
    for (const std::uint32_t v : call.values) text += " " + std::to_string(v);
    text += "\n";
  }
  return text;
}

int lirc_device_double::control(lirc_request_t request, std::uint32_t& value) {
  int rc = 0;
  switch (request) {
    case lirc_request_t::get_features:
      value = features;
      break;
    case lirc_request_t::set_send_mode:
      rc = (features & lirc::can_send_pulse) == 0 ? ENOTTY : value == lirc::mode_pulse ? 0 : EINVAL;
      break;
    case lirc_request_t::set_rec_mode:
      rc = (features & lirc::can_rec_mode2) == 0 ? ENOTTY : value == lirc::mode_mode2 ? 0 : EINVAL;
      break;
    case lirc_request_t::set_send_carrier:
      rc = (features & lirc::can_set_send_carrier) == 0 ? ENOTTY : value == 0 ? EINVAL : 0;
      break;
    case lirc_request_t::set_send_duty_cycle:
      rc = (features & lirc::can_set_send_duty_cycle) == 0 ? ENOTTY : value == 0 || value >= 100 ? EINVAL : 0;
      break;
    case lirc_request_t::set_measure_carrier_mode:
      rc = (features & lirc::can_measure_carrier) == 0 ? ENOTTY : 0;
      break;
  }
  controls.push_back({request, value});
  return rc;
}

int lirc_device_double::write(std::span<const std::uint32_t> values) {
  if (failure != 0) return failure;
  std::uint64_t total = 0;
  bool refused = values.size() > lirc::max_write_values || values.size() % 2 == 0;
  for (const std::uint32_t v : values) {
    refused = refused || v == 0 || v > lirc::max_write_us - total;
    total += v;
  }
  if (refused) {
    ++refused_writes;
    return EINVAL;
  }
  writes.push_back({platform::clock::now_ns(), {values.begin(), values.end()}});
  platform::clock::advance_by(total * 1000);
  return 0;
}

int lirc_device_double::read(std::span<std::uint32_t> out, std::uint32_t timeout_us, std::size_t& got) {
  got = 0;
  if (failure != 0) return failure;
  const std::uint64_t deadline = platform::clock::now_ns() + std::uint64_t{timeout_us} * 1000;
  if (next_ == pending_.size() || pending_[next_].time_ns > deadline) {
    platform::clock::advance_to(deadline);
    return 0;
  }
  platform::clock::advance_to(pending_[next_].time_ns);
  while (got < out.size() && next_ < pending_.size() && pending_[next_].time_ns <= platform::clock::now_ns())
    out[got++] = pending_[next_++].sample;
  return 0;
}

std::uint32_t pulse(std::uint32_t us) { return lirc::pulse | (us & lirc::value_mask); }
std::uint32_t space(std::uint32_t us) { return lirc::space | (us & lirc::value_mask); }
std::uint32_t frequency(std::uint32_t hz) { return lirc::frequency | (hz & lirc::value_mask); }
std::uint32_t timeout_report(std::uint32_t us) { return lirc::timeout | (us & lirc::value_mask); }

std::vector<std::uint32_t> mode2_of(std::span<const std::int32_t> durations) {
  std::vector<std::uint32_t> samples;
  for (const std::int32_t d : durations)
    samples.push_back(d >= 0 ? pulse(static_cast<std::uint32_t>(d)) : space(static_cast<std::uint32_t>(-d)));
  return samples;
}

lirc_devices_double::lirc_devices_double() {
  reset_platform_state();
  platform::clock::use_virtual(0);
  platform::install_lirc_device_source(this);
}

lirc_devices_double::~lirc_devices_double() {
  reset_platform_state();
  platform::install_lirc_device_source(nullptr);
  platform::clock::use_real();
}

lirc_device_double& lirc_devices_double::add(unsigned number, std::uint32_t features) {
  auto& slot = devices_[number];
  slot = std::make_unique<lirc_device_double>(features);
  return *slot;
}

std::vector<unsigned> lirc_devices_double::device_numbers() {
  std::vector<unsigned> numbers;
  for (const auto& [number, device] : devices_) numbers.push_back(number);
  return numbers;
}

int lirc_devices_double::open(unsigned number, std::unique_ptr<platform::lirc_device>& out) {
  const auto found = devices_.find(number);
  if (found == devices_.end()) return ENOENT;
  ++found->second->opens;
  out = std::make_unique<opened_double>(*found->second);
  return 0;
}

}  // namespace zqtest
