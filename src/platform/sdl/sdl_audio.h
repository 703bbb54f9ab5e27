// Sound on the desktop: wave bytes (a RIFF WAVE file) decoded by SDL and queued on an audio
// device opened for their format. A new sound of another format replaces the device; a sound
// of the same format cuts the one still playing, as the handheld's sound call does.
#pragma once

#include <cstdint>
#include <span>

namespace platform::sdl {

class audio_output {
 public:
  audio_output() = default;
  ~audio_output();
  audio_output(const audio_output&) = delete;
  audio_output& operator=(const audio_output&) = delete;

  // False when the bytes are no wave SDL can read or no audio device opens.
  bool play(std::span<const std::uint8_t> wave);
  // Bytes still waiting to be played (tests).
  std::uint32_t queued_bytes() const;
  void close();

 private:
  std::uint32_t device_ = 0;
  int frequency_ = 0;
  std::uint16_t format_ = 0;
  std::uint8_t channels_ = 0;
};

}  // namespace platform::sdl
