// The window system across programs: a program the system starts (a wake-up program) asks about
// the windows of the program that runs the handheld and posts to them, as the handheld lets any
// program do with a window handle. The running program opens the port, a Unix datagram socket in
// the named-object folder, names it in ZEQUON_SYSTEM_PORT for the programs it starts (they inherit
// it) and answers whenever its thread is idle. Posts carry only the programs' own messages
// (wm::user and above), so that no other program can fake input.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/window_messages.h"

namespace platform {

inline constexpr const char* system_port_variable = "ZEQUON_SYSTEM_PORT";

class system_port {
 public:
  system_port() = default;
  ~system_port();
  system_port(const system_port&) = delete;
  system_port& operator=(const system_port&) = delete;

  // Opens the port and names it for the programs started from now on: 0 or an error number.
  [[nodiscard]] int open();
  void close();
  // Answers every waiting request (the idle work does this by itself).
  void serve();
  const std::filesystem::path& path() const { return path_; }

 private:
  int fd_ = -1;
  int idle_work_ = 0;
  std::filesystem::path path_;
};

// The window_state bits (system_port_request.h) of a window of the program that started this one;
// nothing without a port or without an answer in time.
std::optional<std::uint32_t> query_window_across(hwnd window,
                                                 std::chrono::milliseconds timeout = std::chrono::seconds(2));
// Posts to a window of the program that started this one: 0, ENOENT without a port, or the
// socket's error number.
[[nodiscard]] int post_message_across(hwnd window, std::uint32_t message, wparam_t w, lparam_t l);

}  // namespace platform
