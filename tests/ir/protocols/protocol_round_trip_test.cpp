// Every protocol over its parameter ranges: encode, disturb the timing as real receivers do,
// decode, and get the same parameters back; no decoder claims another protocol's signal or a
// frame cut short.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ir/protocols/protocol_list.h"
#include "ir/protocols/protocol_registry.h"
#include "ir/protocols/protocol_text.h"

namespace {

using redeye::signal_data;
using redeye::protocols::field_t;
using redeye::protocols::protocol;
using redeye::protocols::protocol_parameters;

// A small deterministic generator, so that every run sees the same noise.
class noise_source {
 public:
  explicit noise_source(std::uint32_t seed) : state_(seed * 2654435761U + 1) {}
  // Uniform in [-limit, +limit].
  std::int64_t next(std::int64_t limit) {
    state_ = state_ * 1664525U + 1013904223U;
    return static_cast<std::int64_t>(state_ >> 8) % (2 * limit + 1) - limit;
  }

 private:
  std::uint32_t state_;
};

enum class noise_t { percent, microseconds };

// Each duration off by up to ±percent of itself, or by up to ±100 microseconds.
std::vector<std::int32_t> disturbed(const std::vector<std::int32_t>& durations, noise_t kind, int percent,
                                    std::uint32_t seed) {
  noise_source noise(seed);
  std::vector<std::int32_t> out;
  for (const std::int32_t duration : durations) {
    const std::int64_t length = duration < 0 ? -std::int64_t{duration} : duration;
    const std::int64_t changed =
        kind == noise_t::percent ? length + length * noise.next(percent * 10) / 1000 : length + noise.next(100);
    out.push_back(static_cast<std::int32_t>(duration < 0 ? -changed : changed));
  }
  return out;
}

// The parameters a decoder reports for the encoded ones: a classic NEC address written as NECext
// reads as NEC.
protocol_parameters canonical(protocol_parameters parameters) {
  if (parameters.protocol == "NECext" && (parameters.device ^ parameters.subdevice) == 0xFF) {
    parameters = {"NEC", 0, parameters.device, 0, parameters.function};
  }
  return parameters;
}

// Every value of each field in turn (a stride through 16-bit fields), the other fields taking
// changing values of their own.
std::vector<protocol_parameters> parameter_sweep(const protocol& format) {
  std::vector<protocol_parameters> sweep;
  noise_source others(format.field_count);
  for (const auto& swept : format.used_fields()) {
    const std::uint32_t limit = 1U << swept.bits;
    for (std::uint32_t value = 0; value < limit; value += swept.bits > 8 ? 97 : 1) {
      protocol_parameters parameters{std::string(format.name)};
      for (const auto& field : format.used_fields()) {
        const std::uint32_t other = static_cast<std::uint32_t>(others.next(1 << 20) + (1 << 20));
        redeye::protocols::field_value(parameters, field.field) =
            field.field == swept.field ? value : other % (1U << field.bits);
      }
      if (format.name == "Kaseikyo" && parameters.vendor == redeye::protocols::panasonic_vendor) continue;
      sweep.push_back(parameters);
    }
  }
  return sweep;
}

signal_data encode(const protocol_parameters& parameters, unsigned toggle) {
  signal_data signal;
  EXPECT_EQ(redeye::protocols::encode_protocol(parameters, toggle, signal), 0)
      << redeye::protocols::format_parameters(parameters);
  return signal;
}

TEST(ProtocolRoundTrip, EveryProtocolAndParameterRangeSurvivesTimingNoise) {
  std::uint32_t seed = 0;
  for (const protocol* format : redeye::protocols::all_protocols()) {
    // A 3t run of RC6 shortened by 20 % is as long as a 2t run lengthened by 20 %; no receiver can
    // tell them apart, so RC6 gets 15 %.
    const int percent = format->name == "RC6" ? 15 : 20;
    std::size_t failures = 0;
    for (const protocol_parameters& parameters : parameter_sweep(*format)) {
      for (const unsigned toggle : {0U, 1U}) {
        if (toggle == 1 && !format->toggles) continue;
        const signal_data signal = encode(parameters, toggle);
        for (const noise_t kind : {noise_t::percent, noise_t::microseconds}) {
          const auto decoded = redeye::protocols::decode_protocol(disturbed(signal.durations, kind, percent, ++seed));
          const protocol_parameters expected = canonical(parameters);
          if (!decoded || *decoded != expected) {
            ADD_FAILURE() << redeye::protocols::format_parameters(expected) << " toggle " << toggle << " read as "
                          << (decoded ? redeye::protocols::format_parameters(*decoded) : "nothing");
            if (++failures == 5) return;
          }
        }
      }
    }
  }
}

TEST(ProtocolRoundTrip, RepeatedPartIsWhatTheRemoteSendsWhileHeld) {
  const struct {
    protocol_parameters parameters;
    std::uint16_t repeat_index;
  } cases[] = {
      {{"NEC", 0, 1, 0, 2}, 68},  // only the short repeat frame
      {{"JVC", 0, 1, 0, 2}, 2},   // the frame without its leading burst
      {{"Sony15", 0, 1, 0, 2}, 64},  // the third frame; a tap sends three
      {{"RC5", 0, 1, 0, 2}, 0},      {{"Sharp", 0, 1, 0, 2}, 0},
  };
  for (const auto& c : cases) {
    const signal_data signal = encode(c.parameters, 0);
    EXPECT_EQ(signal.repeat_index, c.repeat_index) << c.parameters.protocol;
    EXPECT_LT(signal.repeat_index, signal.count()) << c.parameters.protocol;
    EXPECT_LT(signal.durations.back(), 0) << c.parameters.protocol;  // the pause before the next frame
  }
}

TEST(ProtocolRoundTrip, NoDecoderClaimsAnotherProtocolsSignal) {
  for (const protocol* sender : redeye::protocols::all_protocols()) {
    for (const protocol_parameters& parameters : parameter_sweep(*sender)) {
      const signal_data signal = encode(parameters, 0);
      for (const auto& durations : {signal.durations, disturbed(signal.durations, noise_t::percent, 15, 7)}) {
        for (const protocol* receiver : redeye::protocols::all_protocols()) {
          protocol_parameters found;
          if (receiver->decode == nullptr || !receiver->decode(durations, found)) continue;
          EXPECT_EQ(found, canonical(parameters)) << receiver->name << " claims "
                                                  << redeye::protocols::format_parameters(parameters);
        }
      }
    }
  }
}

TEST(ProtocolRoundTrip, FramesCutShortAreNotRecognised) {
  std::size_t failures = 0;
  for (const protocol* format : redeye::protocols::all_protocols()) {
    for (const protocol_parameters& parameters : parameter_sweep(*format)) {
      const signal_data signal = encode(parameters, 0);
      // The frame ends with the last burst before the first pause of a frame gap's length.
      std::size_t frame_end = 0;
      std::size_t gaps_wanted = format->name == "Sharp" || format->name == "Denon" ? 2 : 1;
      while (gaps_wanted > 0) {
        if (signal.durations[frame_end++] <= -5000) --gaps_wanted;
      }
      for (std::size_t cut = 0; cut + 1 < frame_end; ++cut) {
        const std::vector<std::int32_t> part(signal.durations.begin(), signal.durations.begin() + cut);
        const auto decoded = redeye::protocols::decode_protocol(part);
        EXPECT_FALSE(decoded.has_value()) << redeye::protocols::format_parameters(parameters) << " cut to " << cut
                                          << " read as " << redeye::protocols::format_parameters(*decoded);
        if (decoded && ++failures == 5) return;
      }
    }
  }
}

TEST(ProtocolRoundTrip, EncoderRefusesWhatTheProtocolCannotCarry) {
  const struct {
    protocol_parameters parameters;
    zq::result_t code;
  } cases[] = {
      {{"Unknown", 0, 1, 0, 2}, 1081}, {{"Sony12", 0, 32, 0, 1}, 1082}, {{"Sony15", 0, 1, 0, 128}, 1082},
      {{"NEC", 0, 1, 5, 2}, 1082},  // NEC has no subdevice field; that is NECext
      {{"Panasonic", 1, 1, 0, 2}, 1082}, {{"Kaseikyo", 0x2002, 1, 0, 2}, 1082},
  };
  for (const auto& c : cases) {
    signal_data signal{{1, -1}, 26, 0};
    EXPECT_EQ(redeye::protocols::encode_protocol(c.parameters, 0, signal), c.code) << c.parameters.protocol;
    EXPECT_EQ(signal.durations, (std::vector<std::int32_t>{1, -1}));
  }
}

}  // namespace
