#include "platform/hot_key_release.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "platform/hot_key.h"

namespace platform {

namespace {

struct system_export {
  std::string_view library;
  std::string_view name;
  system_proc proc;
};

const system_export exports[] = {
    {"coredll.dll", "UnregisterFunc1", reinterpret_cast<system_proc>(&UnregisterFunc1)},
};

std::set<std::string, std::less<>>& withdrawn() {
  static std::set<std::string, std::less<>> names;
  return names;
}

bool same_library(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

system_proc find_system_export(std::string_view library, std::string_view export_name) {
  if (withdrawn().contains(export_name)) return nullptr;
  for (const system_export& e : exports) {
    if (same_library(e.library, library) && e.name == export_name) return e.proc;
  }
  return nullptr;
}

void set_system_export_available(std::string_view export_name, bool available) {
  if (available) {
    withdrawn().erase(std::string(export_name));
  } else {
    withdrawn().emplace(export_name);
  }
}

}  // namespace platform
