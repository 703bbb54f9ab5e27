#include "shell/hardware_key_table.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/hardware_key_names.h"
#include "platform/registry.h"

namespace outworld {

namespace {

constexpr std::wstring_view keys_path = L"Software\\Microsoft\\Shell\\Keys";
constexpr std::wstring_view default_display_name = L"Button";
// The pad in the order key lists show it, with the game-input keys of the portrait layout; its
// names are also its display names.
struct navigation_key {
  std::wstring_view name;
  std::uint32_t virtual_key;
};
constexpr std::array<navigation_key, 5> navigation_keys{{
    {L"Left", platform::vk_nav_left},
    {L"Right", platform::vk_nav_right},
    {L"Up", platform::vk_nav_up},
    {L"Down", platform::vk_nav_down},
    {L"Select", platform::vk_nav_select},
}};

int hex_digit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') c = static_cast<wchar_t>(c - L'a' + L'A');
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

std::optional<std::int32_t> decimal_number(std::wstring_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
    negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    magnitude = magnitude * 10 + (c - L'0');
    if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// The entry of one application key's subkey; its values are optional.
hardware_key_entry read_application_key(platform::hkey keys, const std::wstring& name, std::uint32_t code) {
  hardware_key_entry entry{name, std::wstring(default_display_name), {}, 0, code,
                           platform::application_key_modifiers};
  platform::hkey subkey = 0;
  if (platform::open_registry_key(keys, name, subkey) != zq::rc::ok) return entry;
  std::wstring text;
  if (platform::query_registry_string(subkey, L"Name", text) == zq::rc::ok) entry.display_name = text;
  if (platform::query_registry_string(subkey, L"Icon", text) == zq::rc::ok) {
    if (const auto icon = split_icon_value(text)) {
      entry.icon_file = icon->file;
      entry.icon_index = icon->index;
    }
  }
  (void)platform::close_registry_key(subkey);
  return entry;
}

}  // namespace

std::optional<std::uint32_t> application_key_code(std::wstring_view subkey_name) {
  if (subkey_name.size() != 4 || !subkey_name.starts_with(L"40C")) return std::nullopt;
  const int digit = hex_digit(subkey_name[3]);
  if (digit < 1) return std::nullopt;
  return platform::vk_application_base + static_cast<std::uint32_t>(digit);
}

std::optional<icon_location> split_icon_value(std::wstring_view value) {
  const std::size_t comma = value.rfind(L',');
  if (comma == std::wstring_view::npos) return std::nullopt;
  const auto index = decimal_number(value.substr(comma + 1));
  if (!index) return std::nullopt;
  return icon_location{std::wstring(value.substr(0, comma)), *index};
}

std::vector<hardware_key_entry> read_hardware_key_table() {
  std::vector<hardware_key_entry> table;
  platform::hkey keys = 0;
  if (platform::open_registry_key(platform::hkey_local_machine, keys_path, keys) == zq::rc::ok) {
    std::wstring name;
    for (std::uint32_t i = 0; platform::enumerate_registry_subkey(keys, i, name) == zq::rc::ok; ++i) {
      const auto code = application_key_code(name);
      if (!code) continue;
      // The registry enumerates in creation order; the table goes by key code.
      const auto place = std::upper_bound(table.begin(), table.end(), *code,
                                          [](std::uint32_t c, const hardware_key_entry& e) { return c < e.virtual_key; });
      table.insert(place, read_application_key(keys, name, *code));
    }
    (void)platform::close_registry_key(keys);
  }
  for (const navigation_key& key : navigation_keys) {
    table.push_back({std::wstring(key.name), std::wstring(key.name), {}, 0, key.virtual_key, 0});
  }
  return table;
}

}  // namespace outworld
