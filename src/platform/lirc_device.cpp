#include "platform/lirc_device.h"

#include <fcntl.h>
#include <linux/lirc.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/simulated_hardware.h"

namespace platform {

static_assert(lirc::mode_pulse == LIRC_MODE_PULSE && lirc::mode_mode2 == LIRC_MODE_MODE2);
static_assert(lirc::can_send_pulse == LIRC_CAN_SEND_PULSE && lirc::can_rec_mode2 == LIRC_CAN_REC_MODE2);
static_assert(lirc::can_set_send_carrier == LIRC_CAN_SET_SEND_CARRIER &&
              lirc::can_set_send_duty_cycle == LIRC_CAN_SET_SEND_DUTY_CYCLE);
static_assert(lirc::can_measure_carrier == LIRC_CAN_MEASURE_CARRIER);
static_assert(lirc::pulse == LIRC_MODE2_PULSE && lirc::space == LIRC_MODE2_SPACE &&
              lirc::frequency == LIRC_MODE2_FREQUENCY && lirc::timeout == LIRC_MODE2_TIMEOUT &&
              lirc::overflow == LIRC_MODE2_OVERFLOW && lirc::value_mask == LIRC_VALUE_MASK);

namespace {

unsigned long ioctl_of(lirc_request_t request) {
  switch (request) {
    case lirc_request_t::get_features: return LIRC_GET_FEATURES;
    case lirc_request_t::set_send_mode: return LIRC_SET_SEND_MODE;
    case lirc_request_t::set_rec_mode: return LIRC_SET_REC_MODE;
    case lirc_request_t::set_send_carrier: return LIRC_SET_SEND_CARRIER;
    case lirc_request_t::set_send_duty_cycle: return LIRC_SET_SEND_DUTY_CYCLE;
    case lirc_request_t::set_measure_carrier_mode: return LIRC_SET_MEASURE_CARRIER_MODE;
  }
  return 0;
}

// A /dev/lircN opened for reading and writing.
class host_lirc_device final : public lirc_device {
 public:
  explicit host_lirc_device(int fd) : fd_(fd) {}
  ~host_lirc_device() override { ::close(fd_); }

  int control(lirc_request_t request, std::uint32_t& value) override {
    const unsigned long code = ioctl_of(request);
    if (code == 0) return ENOTTY;
    __u32 argument = value;
    int rc;
    do rc = ::ioctl(fd_, code, &argument);
    while (rc < 0 && errno == EINTR);
    if (rc < 0) return errno;
    value = argument;
    return 0;
  }

  int write(std::span<const std::uint32_t> values) override {
    const std::size_t bytes = values.size_bytes();
    ssize_t written;
    do written = ::write(fd_, values.data(), bytes);
    while (written < 0 && errno == EINTR);
    if (written < 0) return errno;
    return static_cast<std::size_t>(written) == bytes ? 0 : EIO;
  }

  int read(std::span<std::uint32_t> out, std::uint32_t timeout_us, std::size_t& got) override {
    got = 0;
    if (out.empty()) return 0;
    pollfd waiting{fd_, POLLIN, 0};
    const int timeout_ms = static_cast<int>(std::min<std::uint64_t>((std::uint64_t{timeout_us} + 999) / 1000, INT_MAX));
    int ready;
    do ready = ::poll(&waiting, 1, timeout_ms);
    while (ready < 0 && errno == EINTR);
    if (ready < 0) return errno;
    if (ready == 0) return 0;
    if ((waiting.revents & POLLIN) == 0) return ENODEV;  // error or hang-up: the device went away
    ssize_t bytes;
    do bytes = ::read(fd_, out.data(), out.size_bytes());
    while (bytes < 0 && errno == EINTR);
    if (bytes < 0) return errno == EAGAIN ? 0 : errno;
    got = static_cast<std::size_t>(bytes) / sizeof(std::uint32_t);
    return 0;
  }

 private:
  int fd_;
};

class host_lirc_devices final : public lirc_device_source {
 public:
  std::vector<unsigned> device_numbers() override {
    std::vector<unsigned> numbers;
    std::error_code error;
    for (std::filesystem::directory_iterator it("/dev", error), end; !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (name.size() <= 4 || name.compare(0, 4, "lirc") != 0) continue;
      unsigned number = 0;
      const char* first = name.data() + 4;
      const char* last = name.data() + name.size();
      const auto [end_of_number, parse_error] = std::from_chars(first, last, number);
      if (parse_error == std::errc() && end_of_number == last) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
  }

  int open(unsigned number, std::unique_ptr<lirc_device>& out) override {
    const std::string path = "/dev/lirc" + std::to_string(number);
    int fd;
    do fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return errno;
    out = std::make_unique<host_lirc_device>(fd);
    return 0;
  }
};

lirc_device_source*& installed_source() {
  static lirc_device_source* source = nullptr;
  return source;
}

// The devices on offer: the installed source's, none on a simulated handheld, else the host's.
lirc_device_source* current_source() {
  if (lirc_device_source* source = installed_source()) return source;
  if (installed_simulated_hardware() != nullptr) return nullptr;
  static host_lirc_devices host;
  return &host;
}

}  // namespace

void install_lirc_device_source(lirc_device_source* source) { installed_source() = source; }

std::vector<unsigned> lirc_device_numbers() {
  lirc_device_source* source = current_source();
  return source ? source->device_numbers() : std::vector<unsigned>{};
}

int open_lirc_device(unsigned number, std::unique_ptr<lirc_device>& out) {
  lirc_device_source* source = current_source();
  return source ? source->open(number, out) : ENOENT;
}

}  // namespace platform
