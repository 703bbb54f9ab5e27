#include "demo_assets.h"


#include "platform/program_folder.h"

namespace zqdemo {

namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

zq::result_t load_skin(platform::module& out) {
  return platform::load_module_file(platform::program_folder() + L"\\zq-demo-skin.dll", out);
}

std::vector<std::uint8_t> click_wave() {
  constexpr std::uint32_t rate = 11025;
  constexpr std::uint32_t samples = rate / 50;
  std::vector<std::uint8_t> wave;
  wave.insert(wave.end(), {'R', 'I', 'F', 'F'});
  put_u32(wave, 36 + samples);
  wave.insert(wave.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put_u32(wave, 16);
  put_u16(wave, 1);  // PCM
  put_u16(wave, 1);  // mono
  put_u32(wave, rate);
  put_u32(wave, rate);  // bytes per second
  put_u16(wave, 1);     // block size
  put_u16(wave, 8);     // bits per sample
  wave.insert(wave.end(), {'d', 'a', 't', 'a'});
  put_u32(wave, samples);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const int level = static_cast<int>(96 * (samples - i) / samples);
    wave.push_back(static_cast<std::uint8_t>(128 + ((i / 8) % 2 == 0 ? level : -level)));
  }
  return wave;
}

}  // namespace zqdemo
