#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

namespace platform::sdl {

audio_output::~audio_output() { close(); }

void audio_output::close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

bool audio_output::play(std::span<const std::uint8_t> wave) {
  if (wave.empty() || wave.size() > 0x7FFFFFFF) return false;
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;

  SDL_RWops* source = SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size()));
  if (source == nullptr) return false;
  SDL_AudioSpec wave_format{};
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(source, 1, &wave_format, &samples, &length) == nullptr) return false;

  if (device_ != 0 && (wave_format.freq != frequency_ || wave_format.format != format_ || wave_format.channels != channels_)) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  if (device_ == 0) {
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wave_format, nullptr, 0);
    frequency_ = wave_format.freq;
    format_ = wave_format.format;
    channels_ = wave_format.channels;
  }
  bool queued = false;
  if (device_ != 0) {
    SDL_ClearQueuedAudio(device_);
    queued = SDL_QueueAudio(device_, samples, length) == 0;
    SDL_PauseAudioDevice(device_, 0);
  }
  SDL_FreeWAV(samples);
  return queued;
}

std::uint32_t audio_output::queued_bytes() const { return device_ != 0 ? SDL_GetQueuedAudioSize(device_) : 0; }

}  // namespace platform::sdl
