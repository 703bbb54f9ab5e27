#include "platform/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/host_object_name.h"

namespace platform {

namespace {

std::string shm_name(std::wstring_view name) { return "/" + host_object_name(name); }

}  // namespace

shared_memory::~shared_memory() { close(); }

shared_memory::shared_memory(shared_memory&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      created_(std::move(other.created_)) {
  other.created_.clear();
}

shared_memory& shared_memory::operator=(shared_memory&& other) noexcept {
  if (this != &other) {
    close();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
    created_ = std::move(other.created_);
    other.created_.clear();
  }
  return *this;
}

int shared_memory::map(int fd, std::size_t size) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return errno;
  const std::size_t available = st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
  if (size > available) size = available;
  if (size == 0) return EINVAL;
  void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (data == MAP_FAILED) return errno;
  data_ = static_cast<std::uint8_t*>(data);
  size_ = size;
  return 0;
}

int shared_memory::open_or_create(std::wstring_view name, std::size_t size, bool& existed) {
  close();
  existed = false;
  if (size == 0) return EINVAL;
  const std::string host = shm_name(name);
  int fd = ::shm_open(host.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
      const int error = errno;
      ::close(fd);
      ::shm_unlink(host.c_str());
      return error;
    }
    const int error = map(fd, size);
    ::close(fd);
    if (error != 0) {
      ::shm_unlink(host.c_str());
      return error;
    }
    created_ = host;
    return 0;
  }
  if (errno != EEXIST) return errno;
  existed = true;
  return open_existing(name, size);
}

int shared_memory::open_existing(std::wstring_view name, std::size_t size) {
  close();
  const int fd = ::shm_open(shm_name(name).c_str(), O_RDWR | O_CLOEXEC, 0);
  if (fd < 0) return errno;
  const int error = map(fd, size);
  ::close(fd);
  return error;
}

void shared_memory::close() {
  if (data_ != nullptr) ::munmap(data_, size_);
  if (!created_.empty()) ::shm_unlink(created_.c_str());
  data_ = nullptr;
  size_ = 0;
  created_.clear();
}

bool shared_memory::read_u32(std::size_t offset, std::uint32_t& value) const {
  if (offset > size_ || size_ - offset < sizeof value) return false;
  std::memcpy(&value, data_ + offset, sizeof value);
  return true;
}

bool shared_memory::write_u32(std::size_t offset, std::uint32_t value) {
  if (offset > size_ || size_ - offset < sizeof value) return false;
  std::memcpy(data_ + offset, &value, sizeof value);
  return true;
}

}  // namespace platform
