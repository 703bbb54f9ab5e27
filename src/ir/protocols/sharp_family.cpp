#include "ir/protocols/sharp_family.h"

#include "ir/protocols/duration_reader.h"
#include "ir/protocols/signal_builder.h"

namespace redeye::protocols {
namespace {

std::uint64_t frame_bits(std::uint32_t device, std::uint32_t function, std::uint32_t extra) {
  return device | function << 5 | extra << 13;
}

constexpr std::uint32_t inverted_part = 0xFFU << 5 | 3U << 13;

}  // namespace

void encode_sharp_family(const sharp_family_form& form, const protocol_parameters& parameters, signal_data& out) {
  const std::uint64_t first = frame_bits(parameters.device, parameters.function, form.extra);
  signal_builder builder;
  for (const std::uint64_t bits : {first, first ^ inverted_part}) {
    builder.distance_bits(form.mark, form.zero_space, form.one_space, bits, 15);
    builder.mark(form.mark);
    builder.space(form.gap);
  }
  out = builder.finish(carrier_38khz);
}

bool decode_sharp_family(const sharp_family_form& form, const protocol& which, std::span<const std::int32_t> durations,
                         protocol_parameters& out) {
  duration_reader reader(durations);
  std::uint64_t first = 0;
  std::uint64_t second = 0;
  for (std::uint64_t* bits : {&first, &second}) {
    if (!reader.distance_bits(form.mark, form.zero_space, form.one_space, 15, *bits) ||
        !reader.mark(form.mark) || !reader.frame_end()) {
      return false;
    }
  }
  if ((first >> 13) != form.extra || second != (first ^ inverted_part)) return false;
  out = protocol_parameters{std::string(which.name), 0, static_cast<std::uint32_t>(first) & 0x1FU, 0,
                            static_cast<std::uint32_t>(first >> 5) & 0xFFU};
  return true;
}

}  // namespace redeye::protocols
