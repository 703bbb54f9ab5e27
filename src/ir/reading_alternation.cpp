#include "ir/reading_alternation.h"

namespace redeye {

unsigned reading_alternation::choose(std::string_view name_reference) {
  if (remembered_ && last_ == name_reference) {
    forget();
    return 1;
  }
  last_.assign(name_reference);
  remembered_ = true;
  return 0;
}

void reading_alternation::forget() {
  last_.clear();
  remembered_ = false;
}

}  // namespace redeye
