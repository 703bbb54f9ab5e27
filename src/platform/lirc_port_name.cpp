#include "platform/lirc_port_name.h"

#include <charconv>

#include "platform/lirc_device.h"

namespace platform {

namespace {

constexpr std::wstring_view prefix = L"LIRC";

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

}  // namespace

std::wstring lirc_port_name(unsigned number) {
  if (number > max_lirc_port_number) return {};
  const wchar_t digit = number < 10 ? static_cast<wchar_t>(L'0' + number) : static_cast<wchar_t>(L'A' + number - 10);
  return std::wstring(prefix) + digit + L':';
}

std::optional<unsigned> lirc_port_number(std::wstring_view port_name) {
  if (port_name.size() != prefix.size() + 2 || port_name.back() != L':') return std::nullopt;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (upper(port_name[i]) != prefix[i]) return std::nullopt;
  const wchar_t digit = upper(port_name[prefix.size()]);
  if (digit >= L'0' && digit <= L'9') return static_cast<unsigned>(digit - L'0');
  if (digit >= L'A' && digit <= L'Z') return static_cast<unsigned>(digit - L'A') + 10;
  return std::nullopt;
}

std::optional<unsigned> lirc_device_number(std::string_view device) {
  constexpr std::string_view folder = "/dev/";
  if (device.substr(0, folder.size()) == folder) device.remove_prefix(folder.size());
  constexpr std::string_view name = "lirc";
  if (device.size() <= name.size() || device.substr(0, name.size()) != name) return std::nullopt;
  device.remove_prefix(name.size());
  unsigned number = 0;
  const auto [end, error] = std::from_chars(device.data(), device.data() + device.size(), number);
  if (error != std::errc() || end != device.data() + device.size()) return std::nullopt;
  return number;
}

std::string lirc_device_path(unsigned number) { return "/dev/lirc" + std::to_string(number); }

std::vector<std::wstring> lirc_port_entries() {
  std::vector<std::wstring> entries;
  for (const unsigned number : lirc_device_numbers()) {
    const std::wstring port = lirc_port_name(number);
    if (port.empty()) continue;
    const std::string path = lirc_device_path(number);
    entries.push_back(port + L" Infrared (" + std::wstring(path.begin(), path.end()) + L")");
  }
  return entries;
}

}  // namespace platform
