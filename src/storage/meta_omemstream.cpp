#include "storage/meta_omemstream.h"

#include <cstring>
#include <new>

namespace meta {

omemstream::omemstream() {
  buffer_ = new (std::nothrow) std::uint8_t[initial_capacity];
  if (buffer_ != nullptr) capacity_ = initial_capacity;
}

omemstream::~omemstream() { delete[] buffer_; }

// Doubles the capacity until needed bytes fit.
bool omemstream::reserve(std::size_t needed) {
  if (needed <= capacity_) return true;
  std::size_t capacity = capacity_ != 0 ? capacity_ : initial_capacity;
  while (capacity < needed) {
    if (capacity > SIZE_MAX / 2) return false;
    capacity *= 2;
  }
  auto* grown = new (std::nothrow) std::uint8_t[capacity];
  if (grown == nullptr) return false;
  if (length_ != 0) std::memcpy(grown, buffer_, length_);
  delete[] buffer_;
  buffer_ = grown;
  capacity_ = capacity;
  return true;
}

int omemstream::put(std::uint8_t byte) {
  if (length_ == capacity_ && !reserve(length_ + 1)) {
    failed_ = true;
    return 0;
  }
  buffer_[length_++] = byte;
  return 1;
}

int omemstream::write(const void* data, std::size_t size) {
  if (size == 0) return 1;
  if (size > SIZE_MAX - length_ || !reserve(length_ + size)) {
    failed_ = true;
    return 0;
  }
  std::memcpy(buffer_ + length_, data, size);
  length_ += size;
  return 1;
}

}  // namespace meta
