#include "platform/registry_tree.h"

#include <cwctype>

namespace platform {

bool same_registry_name(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::towupper(static_cast<wint_t>(a[i])) != std::towupper(static_cast<wint_t>(b[i]))) return false;
  return true;
}

std::shared_ptr<registry_key_node> registry_key_node::find_subkey(std::wstring_view name) const {
  for (const auto& key : subkeys_)
    if (same_registry_name(key->name(), name)) return key;
  return nullptr;
}

registry_key_node& registry_key_node::subkey(std::wstring_view name) {
  if (auto found = find_subkey(name)) return *found;
  subkeys_.push_back(std::make_shared<registry_key_node>(std::wstring(name)));
  return *subkeys_.back();
}

const registry_value* registry_key_node::find_value(std::wstring_view name) const {
  for (const registry_value& value : values_)
    if (same_registry_name(value.name, name)) return &value;
  return nullptr;
}

void registry_key_node::set_value(registry_value value) {
  for (registry_value& existing : values_) {
    if (same_registry_name(existing.name, value.name)) {
      existing = std::move(value);
      return;
    }
  }
  values_.push_back(std::move(value));
}

}  // namespace platform
