// The bytes a reader parses: data, size and the current position. The reader never reads at or
// past data + size; names and values it delivers point into these bytes, so they must stay valid
// as long as a handler keeps such pointers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meta {

struct input_buffer {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  std::size_t position = 0;
};

}  // namespace meta
