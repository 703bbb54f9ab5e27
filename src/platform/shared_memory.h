// A named block of memory shared between processes, as the handheld's named file mapping: POSIX
// shared memory named after the block (host_object_name.h). The creator removes the name when it
// closes the block, as the handheld removes a block whose last holder closed it; opening an
// existing block never creates one. Every access is checked against the mapped size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace platform {

class shared_memory {
 public:
  shared_memory() = default;
  ~shared_memory();
  shared_memory(shared_memory&& other) noexcept;
  shared_memory& operator=(shared_memory&& other) noexcept;
  shared_memory(const shared_memory&) = delete;
  shared_memory& operator=(const shared_memory&) = delete;

  // Opens the block, creating it with size zero bytes when it does not exist; existed tells
  // which. 0 or an error number.
  [[nodiscard]] int open_or_create(std::wstring_view name, std::size_t size, bool& existed);
  // Opens an existing block: ENOENT when there is none (and none is made). A block shorter than
  // size is mapped as far as it goes; an empty one is EINVAL.
  [[nodiscard]] int open_existing(std::wstring_view name, std::size_t size);
  void close();

  bool is_open() const { return data_ != nullptr; }
  std::span<std::uint8_t> view() { return {data_, size_}; }
  std::span<const std::uint8_t> view() const { return {data_, size_}; }
  // A 32-bit value at offset in the host's byte order; false when it does not lie in the block.
  bool read_u32(std::size_t offset, std::uint32_t& value) const;
  bool write_u32(std::size_t offset, std::uint32_t value);

 private:
  int map(int fd, std::size_t size);

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::string created_;  // the host name to remove on close, when this object made the block
};

}  // namespace platform
