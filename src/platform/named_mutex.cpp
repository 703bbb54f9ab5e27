#include "platform/named_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/host_object_name.h"

namespace platform {

namespace {

std::filesystem::path lock_file(std::wstring_view name) {
  return named_object_folder() / (host_object_name(name) + ".lock");
}

std::filesystem::path request_file(std::wstring_view name) {
  return named_object_folder() / (host_object_name(name) + ".activate");
}

}  // namespace

std::filesystem::path named_object_folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/' && ::access(runtime, W_OK | X_OK) == 0) return runtime;
  return "/tmp";
}

named_mutex::~named_mutex() { close(); }

named_mutex::named_mutex(named_mutex&& other) noexcept : fd_(other.fd_), request_(std::move(other.request_)) {
  other.fd_ = -1;
}

named_mutex& named_mutex::operator=(named_mutex&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    request_ = std::move(other.request_);
    other.fd_ = -1;
  }
  return *this;
}

int named_mutex::create(std::wstring_view name, bool& already_exists) {
  close();
  already_exists = false;
  const int fd = ::open(lock_file(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  // Each open file has its own lock, so a second creator in this process is refused as well.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK) return error;
    already_exists = true;
    return 0;
  }
  fd_ = fd;
  request_ = request_file(name);
  ::unlink(request_.c_str());
  return 0;
}

bool named_mutex::take_activation_request() { return holds() && ::unlink(request_.c_str()) == 0; }

void named_mutex::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool request_activation(std::wstring_view name, int attempts, std::chrono::milliseconds interval) {
  const std::filesystem::path request = request_file(name);
  const int fd = ::open(request.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  for (int i = 0; i < attempts; ++i) {
    if (::access(request.c_str(), F_OK) != 0) return true;
    std::this_thread::sleep_for(interval);
  }
  // Withdrawn, unless the holder took it in the meantime.
  return ::unlink(request.c_str()) != 0;
}

}  // namespace platform
