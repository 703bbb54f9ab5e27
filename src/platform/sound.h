// Playing a wave sound (the bytes of a RIFF WAVE file, as a wave resource holds them). A backend
// with a loudspeaker installs a player; every sound is written to the transcript by its id, so a
// headless run can tell which sounds were played.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace platform {

using wave_player = std::function<void(std::span<const std::uint8_t> wave)>;
// An empty player makes sounds silent.
void set_wave_player(wave_player player);

// Plays the sound with this resource id without waiting for it to end.
void play_wave(std::uint32_t id, std::span<const std::uint8_t> wave);

}  // namespace platform
