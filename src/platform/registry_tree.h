// The content of the device's registry: two roots (local machine, current user), each a tree of
// keys holding named values. Key and value names compare without regard to case, as the handheld
// compares them; subkeys and values keep the order in which they were first created, which is the
// order enumeration reports.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The handheld's value type numbers.
enum class registry_type : std::uint32_t { string = 1, binary = 3, number = 4 };

struct registry_value {
  std::wstring name;  // empty: the key's default value
  registry_type type = registry_type::string;
  std::wstring text;                // type string
  std::uint32_t number = 0;         // type number
  std::vector<std::uint8_t> bytes;  // type binary
};

// Key and value names are equal ignoring case.
bool same_registry_name(std::wstring_view a, std::wstring_view b);

class registry_key_node {
 public:
  explicit registry_key_node(std::wstring name) : name_(std::move(name)) {}

  const std::wstring& name() const { return name_; }
  const std::vector<std::shared_ptr<registry_key_node>>& subkeys() const { return subkeys_; }
  const std::vector<registry_value>& values() const { return values_; }

  // Null when there is no subkey of that name.
  std::shared_ptr<registry_key_node> find_subkey(std::wstring_view name) const;
  // The subkey of that name, created (last in order) when missing.
  registry_key_node& subkey(std::wstring_view name);

  const registry_value* find_value(std::wstring_view name) const;
  // Replaces the value of the same name in its place, or adds it last.
  void set_value(registry_value value);

 private:
  std::wstring name_;
  std::vector<std::shared_ptr<registry_key_node>> subkeys_;
  std::vector<registry_value> values_;
};

struct registry_tree {
  std::shared_ptr<registry_key_node> local_machine = std::make_shared<registry_key_node>(L"HKEY_LOCAL_MACHINE");
  std::shared_ptr<registry_key_node> current_user = std::make_shared<registry_key_node>(L"HKEY_CURRENT_USER");
};

}  // namespace platform
