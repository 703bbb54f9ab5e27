#include "storage/recent_list.h"

#include <algorithm>

namespace xman {

void make_most_recent(recent_names& list, std::string_view name) {
  auto found = std::find(list.begin(), list.end(), name);
  if (found == list.end()) found = list.end() - 1;
  std::move_backward(list.begin(), found, found + 1);
  list.front() = std::string(name);
}

bool remove_recent(recent_names& list, std::string_view name) {
  const auto found = std::find(list.begin(), list.end(), name);
  if (found == list.end()) return false;
  std::move(found + 1, list.end(), found);
  list.back().clear();
  return true;
}

}  // namespace xman
