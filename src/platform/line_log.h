// A text file that grows by whole lines as things happen (the headless transcript, the infrared
// trace). The file is made new when the log opens; every line is written at once, so the file holds
// everything up to a crash of the program. Writes go through the file seam.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/file_system.h"

namespace platform {

class line_log {
 public:
  // Starts the log in a new, empty file (a handheld path). 0 or the error of the file seam.
  [[nodiscard]] int open(std::wstring_view path);
  void close();
  bool is_open() const { return file_.is_open(); }
  // Appends text and a line feed; nothing when closed. 0 or the error of the failing write (the
  // log then closes, so that a broken file is not written to half).
  int write_line(std::string_view text);

 private:
  file file_;
  std::uint64_t end_ = 0;
};

}  // namespace platform
