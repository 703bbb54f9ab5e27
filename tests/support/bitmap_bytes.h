// BMP files written byte by byte for image tests: 24-bit, bottom-up rows padded to 4 bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace zqtest {

// A BMP file of width x height pixels (0x00RRGGBB, top row first).
std::vector<std::uint8_t> bmp_file(int width, int height, const std::vector<std::uint32_t>& pixels);

}  // namespace zqtest
