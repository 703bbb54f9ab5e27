// The list of recently used preference names: five slots, most recent first, empty slots "".
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "storage/settings_values.h"

namespace xman {

using recent_names = std::array<std::string, recent_count>;

// What a slot can hold of name: the text before any NUL, at most 31 bytes.
inline std::string_view fitting_recent_name(std::string_view name) {
  return name.substr(0, std::min(name.find('\0'), recent_name_limit));
}

// Puts name into slot 0. The names before its old slot move down by one; a name not in the list
// pushes the oldest (slot 4) out. Names are compared exactly.
void make_most_recent(recent_names& list, std::string_view name);

// Removes the first slot equal to name, moving the later ones up and emptying slot 4. False when
// the name is not in the list.
bool remove_recent(recent_names& list, std::string_view name);

}  // namespace xman
