// meta::obinstream: the byte output a writer emits into.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meta {

class obinstream {
 public:
  // Both return nonzero when the bytes were stored, 0 (storing nothing) when they could not be.
  virtual int put(std::uint8_t byte) = 0;
  virtual int write(const void* data, std::size_t size) = 0;

  virtual ~obinstream() = default;
};

}  // namespace meta
