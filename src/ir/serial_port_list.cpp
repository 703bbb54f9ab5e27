#include "ir/serial_port_list.h"

#include <string_view>

#include "platform/lirc_port_name.h"
#include "platform/registry.h"

namespace redeye {

namespace {

using platform::hkey;

// An open registry key, closed when it goes.
class open_key {
 public:
  open_key(hkey parent, std::wstring_view path) {
    open_ = platform::open_registry_key(parent, path, key_) == zq::rc::ok;
  }
  ~open_key() {
    if (open_) (void)platform::close_registry_key(key_);
  }
  open_key(const open_key&) = delete;
  open_key& operator=(const open_key&) = delete;

  bool is_open() const { return open_; }
  hkey key() const { return key_; }

  // The string value of that name, empty when the key is not open or has no such string.
  std::wstring string(std::wstring_view name) const {
    std::wstring text;
    if (!open_ || platform::query_registry_string(key_, name, text) != zq::rc::ok) return {};
    return text;
  }
  bool has_string(std::wstring_view name) const {
    std::wstring text;
    return open_ && platform::query_registry_string(key_, name, text) == zq::rc::ok;
  }

 private:
  hkey key_ = 0;
  bool open_ = false;
};

// The friendly name of the driver whose key is at path: its own, else its first subkey's, else empty.
std::wstring friendly_name(std::wstring_view driver_path) {
  const open_key driver(platform::hkey_local_machine, driver_path);
  if (!driver.is_open()) return {};
  if (driver.has_string(L"FriendlyName")) return driver.string(L"FriendlyName");
  std::wstring first;
  if (platform::enumerate_registry_subkey(driver.key(), 0, first) != zq::rc::ok) return {};
  return open_key(driver.key(), first).string(L"FriendlyName");
}

}  // namespace

std::vector<std::wstring> enumerate_serial_ports() {
  std::vector<std::wstring> entries;
  {
    const open_key active(platform::hkey_local_machine, L"Drivers\\Active");
    std::wstring sub;
    for (std::uint32_t i = 0; active.is_open() && platform::enumerate_registry_subkey(active.key(), i, sub) == zq::rc::ok;
         ++i) {
      const open_key entry(active.key(), sub);
      const std::wstring name = entry.string(L"Name");
      if (!name.starts_with(L"COM")) continue;
      // An entry without "Key" (or with an empty one, which would open the root itself) names no
      // driver: its friendly name is empty.
      const std::wstring driver = entry.string(L"Key");
      const std::wstring friendly = driver.empty() ? std::wstring() : friendly_name(driver);
      entries.push_back(name + L" " + friendly);
    }
  }
  for (std::wstring& lirc : platform::lirc_port_entries()) entries.push_back(std::move(lirc));
  return entries;
}

}  // namespace redeye
