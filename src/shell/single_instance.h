// One running program at a time: the first start holds a mutex named after the program's file; a
// later start asks it to come to the front and ends. The holder looks for such a request whenever
// its thread is idle and brings its active window (and the desktop window) forward.
#pragma once

#include <functional>
#include <string>

#include "platform/named_mutex.h"
#include "platform/window_handle.h"

namespace shell {

class single_instance {
 public:
  ~single_instance();

  // True when this start is the first. program: the program file's path.
  bool claim(const std::wstring& program);
  // A later start's side: whether the running program took the request in time.
  bool ask_running_one_forward();
  // The holder's side: front() names the window to bring forward when asked.
  void serve_requests(std::function<platform::hwnd()> front);

 private:
  std::wstring m_name;
  platform::named_mutex m_mutex;
  int m_idleWork = 0;
};

}  // namespace shell
