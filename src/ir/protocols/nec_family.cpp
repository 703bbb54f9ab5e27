#include "ir/protocols/nec_family.h"

#include "ir/protocols/duration_reader.h"

namespace redeye::protocols {
namespace {

constexpr std::int32_t bit_mark = 562;
constexpr std::int32_t zero_space = 562;
constexpr std::int32_t one_space = 1687;
constexpr std::int32_t period = 108000;

}  // namespace

void write_nec_family_frame(signal_builder& builder, const nec_family_lead& lead, std::uint32_t address_low,
                            std::uint32_t address_high, std::uint32_t function) {
  builder.start_frame();
  builder.mark(lead.mark);
  builder.space(lead.space);
  builder.distance_bits(bit_mark, zero_space, one_space,
                        address_low | address_high << 8 | function << 16 | (~function & 0xFFU) << 24, 32);
  builder.mark(bit_mark);
  builder.end_frame(period, frame_gap);
}

bool read_nec_family_frame(std::span<const std::int32_t> durations, const nec_family_lead& lead,
                           std::uint32_t& address_low, std::uint32_t& address_high, std::uint32_t& function) {
  duration_reader reader(durations);
  std::uint64_t bits = 0;
  if (!reader.mark(lead.mark) || !reader.space(lead.space) ||
      !reader.distance_bits(bit_mark, zero_space, one_space, 32, bits) || !reader.mark(bit_mark) ||
      !reader.frame_end() || (byte_of(bits, 2) ^ byte_of(bits, 3)) != 0xFF) {
    return false;
  }
  address_low = byte_of(bits, 0);
  address_high = byte_of(bits, 1);
  function = byte_of(bits, 2);
  return true;
}

}  // namespace redeye::protocols
