// Records the messages windows receive as short text lines, so a test states an expected message
// sequence as a table: "A activate 1" (sent), "A post lbuttondown 5,5" (taken from the queue).
// Windows of the recording class are named when created; a test may add handling per message.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace zqtest {

class message_recorder {
 public:
  using handler = std::function<std::optional<platform::lresult_t>(platform::hwnd, std::uint32_t, platform::wparam_t,
                                                                   platform::lparam_t)>;

  // Starts from an empty window system on the virtual clock with a 240 x 320 screen; registers
  // the class L"Recorded" (white background).
  message_recorder();
  ~message_recorder();

  platform::hwnd create(const std::string& name, std::uint32_t style, const platform::rect& position,
                        platform::hwnd parent = platform::no_window, std::uint32_t ex_style = 0);
  void name(platform::hwnd h, const std::string& name);
  std::string name_of(platform::hwnd h) const;

  // Called before the default handling; an answer replaces it.
  handler on;

  // The lines recorded since the last call.
  std::vector<std::string> take();
  // Adds a remark of the test between the messages.
  void note(const std::string& line) { lines_.push_back(line); }
  // Handles every waiting message (paints included). Any loop may take the messages: a message
  // is marked as coming from the queue when it is the one the thread took last.
  void pump();
  // Takes one message with get_message and dispatches it; false for the quit message.
  bool pump_one();

 private:
  platform::lresult_t record(platform::hwnd h, std::uint32_t message, platform::wparam_t w, platform::lparam_t l);

  std::map<std::uint32_t, std::string> names_;
  std::vector<std::string> lines_;
  platform::msg claimed_;  // the queued message already recorded as taken from the queue
};

}  // namespace zqtest
