#include "platform/system_port.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/named_mutex.h"
#include "platform/system_port_request.h"
#include "platform/window.h"
#include "platform/window_focus.h"

namespace platform {

namespace {

constexpr std::uint32_t first_program_message = wm::user;
constexpr std::uint32_t last_program_message = 0x7FFF;

bool address_of(const std::filesystem::path& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  return true;
}

std::uint32_t state_of(hwnd window) {
  if (!is_window(window)) return 0;
  std::uint32_t state = window_state::exists;
  if (is_window_visible(window)) state |= window_state::visible;
  if (foreground_window() == window) state |= window_state::foreground;
  return state;
}

// A socket of this program's own, with an address the port can answer to; -1 on failure.
int client_socket() {
  const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un self{};
  self.sun_family = AF_UNIX;
  // Binding only the family gives the socket an address of its own in the abstract namespace.
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&self), sizeof(sa_family_t)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Sends a request to the port ZEQUON_SYSTEM_PORT names: 0 or an error number; fd gets the socket
// (to wait for an answer on), -1 when none was made.
int send_request(const system_request& request, int& fd) {
  fd = -1;
  const char* port = std::getenv(system_port_variable);
  sockaddr_un address{};
  if (port == nullptr || *port == '\0' || !address_of(port, address)) return ENOENT;
  fd = client_socket();
  if (fd < 0) return errno;
  const std::vector<std::uint8_t> bytes = encode_system_request(request);
  if (::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address), sizeof address) < 0)
    return errno;
  return 0;
}

}  // namespace

system_port::~system_port() { close(); }

int system_port::open() {
  close();
  path_ = named_object_folder() / ("zequon-system-" + std::to_string(::getpid()) + ".sock");
  sockaddr_un address{};
  if (!address_of(path_, address)) return ENAMETOOLONG;
  fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return errno;
  ::unlink(path_.c_str());  // left by an earlier process of the same number
  if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    const int error = errno;
    close();
    return error;
  }
  ::setenv(system_port_variable, path_.c_str(), 1);
  idle_work_ = add_idle_work([this] { serve(); });
  return 0;
}

void system_port::close() {
  if (idle_work_ != 0) remove_idle_work(idle_work_);
  idle_work_ = 0;
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(path_.c_str());
  ::unsetenv(system_port_variable);
}

void system_port::serve() {
  if (fd_ < 0) return;
  for (;;) {
    std::array<std::uint8_t, system_request_size + 1> bytes{};  // one more: a longer datagram is refused
    sockaddr_un sender{};
    socklen_t sender_size = sizeof sender;
    const ssize_t got =
        ::recvfrom(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&sender), &sender_size);
    if (got < 0) return;  // nothing more waiting
    const std::optional<system_request> request =
        decode_system_request(std::span(bytes.data(), static_cast<std::size_t>(got)));
    if (!request) continue;
    if (request->kind == system_request_t::query) {
      const std::vector<std::uint8_t> answer = encode_system_answer(state_of(request->window));
      ::sendto(fd_, answer.data(), answer.size(), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&sender),
               sender_size);
    } else if (request->message >= first_program_message && request->message <= last_program_message &&
               is_window(request->window)) {
      post_message(request->window, request->message, request->wparam, request->lparam);
    }
  }
}

std::optional<std::uint32_t> query_window_across(hwnd window, std::chrono::milliseconds timeout) {
  int fd = -1;
  const int rc = send_request({system_request_t::query, window}, fd);
  std::optional<std::uint32_t> state;
  if (rc == 0) {
    pollfd waiting{fd, POLLIN, 0};
    std::array<std::uint8_t, system_answer_size + 1> bytes{};
    if (::poll(&waiting, 1, static_cast<int>(timeout.count())) == 1) {
      const ssize_t got = ::recv(fd, bytes.data(), bytes.size(), 0);
      if (got > 0) state = decode_system_answer(std::span(bytes.data(), static_cast<std::size_t>(got)));
    }
  }
  if (fd >= 0) ::close(fd);
  return state;
}

int post_message_across(hwnd window, std::uint32_t message, wparam_t w, lparam_t l) {
  int fd = -1;
  const int rc = send_request({system_request_t::post, window, message, w, l}, fd);
  if (fd >= 0) ::close(fd);
  return rc;
}

}  // namespace platform
