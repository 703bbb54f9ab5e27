#include "platform/register_page.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/simulated_hardware.h"

namespace platform {

void register_page::unmap() {
  if (memory_) munmap(const_cast<std::uint8_t*>(memory_), register_page_size);
  memory_ = nullptr;
  block_ = nullptr;
  physical_ = 0;
}

register_page map_register_page(std::uint32_t physical_page) {
  register_page page;
  if (physical_page % register_page_size != 0) return page;
  if (simulated_hardware* device = installed_simulated_hardware()) {
    page.block_ = device->register_block_at(physical_page);
    if (page.block_) page.physical_ = physical_page;
    return page;
  }
  const int fd = ::open("/dev/mem", O_RDWR | O_SYNC | O_CLOEXEC);
  if (fd < 0) return page;
  void* memory = mmap(nullptr, register_page_size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, physical_page);
  ::close(fd);
  if (memory == MAP_FAILED) return page;
  page.memory_ = static_cast<volatile std::uint8_t*>(memory);
  page.physical_ = physical_page;
  return page;
}

}  // namespace platform
