#include "platform/window_class.h"

#include "platform/window_records.h"

namespace platform {

bool register_class(window_class cls) {
  if (cls.name.empty() || !cls.proc) return false;
  auto& classes = detail::windows().classes;
  if (classes.contains(cls.name)) return false;
  const std::wstring name = cls.name;
  classes.emplace(name, std::move(cls));
  return true;
}

bool unregister_class(const std::wstring& name) { return detail::windows().classes.erase(name) != 0; }

const window_class* find_class(const std::wstring& name) {
  const auto& classes = detail::windows().classes;
  const auto found = classes.find(name);
  return found == classes.end() ? nullptr : &found->second;
}

}  // namespace platform
