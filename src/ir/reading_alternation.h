// Which reading of a signal record a send uses. A record may hold two readings of one button;
// pressing the same button twice in a row sends the first reading, then the second, so a device
// that expects a toggling code sees both.
#pragma once

#include <string>
#include <string_view>

namespace redeye {

class reading_alternation {
 public:
  // The reading selector for a send of name_reference (0 first, 1 second). When the send just
  // before was of the same reference, the answer is 1 and the memory is cleared, so the next
  // send of it takes the first reading again; otherwise the answer is 0 and the reference is
  // remembered.
  unsigned choose(std::string_view name_reference);

  // Clears the memory of the last send: the next send takes the first reading.
  void forget();

 private:
  std::string last_;
  bool remembered_ = false;
};

}  // namespace redeye
