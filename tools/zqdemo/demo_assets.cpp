#include "demo_assets.h"

#include <stb_image.h>

#include <cerrno>
#include <filesystem>

#include "platform/file_system.h"

namespace zqdemo {

namespace {

std::filesystem::path program_folder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void put_u16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

int load_picture(platform::pixel_surface& out) {
  std::vector<std::uint8_t> bytes;
  if (const int rc = platform::read_whole_file(platform::device_path(program_folder() / "remote.png"), bytes);
      rc != 0) {
    return rc;
  }
  int width = 0;
  int height = 0;
  int channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 3);
  if (pixels == nullptr) return EINVAL;
  platform::pixel_surface image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const stbi_uc* p = pixels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
      image.set(x, y, (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
    }
  }
  stbi_image_free(pixels);
  out = std::move(image);
  return 0;
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
