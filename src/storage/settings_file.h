// The byte layout of the settings file "Zequon.pref" (little-endian):
//
//   Offset    Size    Field
//   0         1       first-run flag
//   1         160     five recent names, 32 bytes each, NUL-terminated
//   161       14      IR port, 7 UTF-16 units, NUL-padded
//   175       2n + 2  import folder, n UTF-16 units and a NUL unit
//   177 + 2n  4       screen orientation choice
//   181 + 2n  4       screen class
//   185 + 2n  1       use sounds
//   186 + 2n  2       0x21 0x21, never read
//
// An even size (188 + 2n) has this layout. An odd size is the older layout, in which everything
// from offset 175 on is the import folder and the fields after it keep their defaults.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "storage/settings_values.h"

namespace xman {

inline constexpr std::size_t settings_head_size = 175;
// Larger files are not settings files and are not read.
inline constexpr std::size_t settings_file_limit = 65536;

// The file's bytes for these values. Recent names are cut to 31 bytes, the port to 6 units and the
// folder to 1024; every text ends at its first NUL.
std::vector<std::uint8_t> encode_settings(const settings_values& values);

// Fills values from a file's bytes; every field the bytes do not hold whole keeps its value. A
// recent name is read up to its NUL or 31 bytes, the port up to its NUL or 6 units, the folder up
// to its NUL unit or 1024 units; an orientation or screen class out of range reads as unset.
void decode_settings(std::span<const std::uint8_t> bytes, settings_values& values);

}  // namespace xman
