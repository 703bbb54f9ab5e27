#include "platform/sound.h"

#include <utility>

#include "platform/transcript.h"

namespace platform {

namespace {

wave_player& player() {
  static wave_player installed;
  return installed;
}

}  // namespace

void set_wave_player(wave_player p) { player() = std::move(p); }

void play_wave(std::uint32_t id, std::span<const std::uint8_t> wave) {
  transcript::sound(id);
  if (player()) player()(wave);
}

}  // namespace platform
