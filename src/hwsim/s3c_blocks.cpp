#include "hwsim/s3c_blocks.h"

namespace hwsim::s3c {

std::uint64_t fclk_hz_for(std::uint32_t reported_clock) {
  constexpr std::uint64_t mhz = 1000000;
  if (reported_clock == 0) return 203 * mhz;
  if (reported_clock < mhz) return reported_clock * mhz;
  return (reported_clock + mhz / 2) / mhz * mhz;
}

}  // namespace hwsim::s3c
