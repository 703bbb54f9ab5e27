#include "platform/hardware_key_names.h"

#include <array>

namespace platform {

namespace {

struct named_key {
  std::string_view name;
  std::uint32_t virtual_key;
};

constexpr std::array<named_key, 5> navigation_keys{{
    {"Left", vk_nav_left},
    {"Right", vk_nav_right},
    {"Up", vk_nav_up},
    {"Down", vk_nav_down},
    {"Select", vk_nav_select},
}};

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool hardware_key_by_name(std::string_view name, hardware_key& out) {
  for (const named_key& key : navigation_keys) {
    if (key.name == name) {
      out = {key.virtual_key, 0};
      return true;
    }
  }
  if (name.size() == 4 && name.starts_with("40C")) {
    const int digit = hex_digit(name[3]);
    if (digit >= 1) {
      out = {vk_application_base + static_cast<std::uint32_t>(digit), application_key_modifiers};
      return true;
    }
  }
  return false;
}

}  // namespace platform
