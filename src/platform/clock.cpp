#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace platform {

void clock::use_real() { clock_state::virtual_mode = false; }

void clock::use_virtual(std::uint64_t start_ns) {
  clock_state::virtual_mode = true;
  clock_state::virtual_now = start_ns;
}

std::uint64_t clock::real_now_ns() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1000000000u + static_cast<std::uint64_t>(ts.tv_nsec);
}

void clock::sleep(std::uint32_t ms) {
  if (clock_state::virtual_mode) {
    clock_state::virtual_now += std::uint64_t{ms} * 1000000u;
    return;
  }
  timespec request{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  timespec remaining{};
  while (nanosleep(&request, &remaining) != 0 && errno == EINTR) request = remaining;
}

}  // namespace platform
