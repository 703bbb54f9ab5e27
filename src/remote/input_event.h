// A hardware key press as the program's key capture hands it to its input listener (the
// hard-button assignments): the key's name from the key table ("40C1", "Left", ...) and its
// virtual key code.
#pragma once

#include <cstdint>

#include "storage/meta_string.h"

namespace outworld {

struct input_event {
  meta::string key_name;  // an owned copy, in the code page
  std::uint32_t key_code = 0;
};

}  // namespace outworld
