// A mutex named across processes, as the handheld's named mutex keeps one instance of a program:
// the first to create a name holds it until it closes it or its process ends; every later creator
// (in this or another process) learns that it exists. It is an flock'ed file in
// $XDG_RUNTIME_DIR (else /tmp) named after the mutex (host_object_name.h), so the lock goes away
// with the process that held it, however it ended.
//
// A later start asks the holder to come to the front by leaving a request file beside the lock;
// the holder takes it when it polls (in its idle time) and brings its window forward itself.
#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

namespace platform {

class named_mutex {
 public:
  named_mutex() = default;
  ~named_mutex();
  named_mutex(named_mutex&& other) noexcept;
  named_mutex& operator=(named_mutex&& other) noexcept;
  named_mutex(const named_mutex&) = delete;
  named_mutex& operator=(const named_mutex&) = delete;

  // Creates the mutex: 0 with already_exists false when this object now holds it (a stale
  // request to come forward is dropped), 0 with already_exists true when someone else holds it,
  // else an error number.
  [[nodiscard]] int create(std::wstring_view name, bool& already_exists);
  bool holds() const { return fd_ >= 0; }
  // The holder's poll: whether a later start asked it to come to the front since the last call.
  // The request is taken.
  bool take_activation_request();
  void close();

 private:
  int fd_ = -1;
  std::filesystem::path request_;
};

// A later start's side: asks the holder of name to come to the front and waits, up to attempts
// times interval apart, until it took the request. True when it did; otherwise the request is
// withdrawn.
bool request_activation(std::wstring_view name, int attempts = 40,
                        std::chrono::milliseconds interval = std::chrono::milliseconds(250));

// Where the lock and request files live.
std::filesystem::path named_object_folder();

}  // namespace platform
