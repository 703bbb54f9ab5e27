#include "platform/registry.h"

#include <map>
#include <memory>
#include <mutex>

namespace platform {

namespace {

using node_ptr = std::shared_ptr<registry_key_node>;

struct registry_state {
  std::mutex lock;
  registry_tree content;
  std::map<hkey, node_ptr> open;
  hkey next_handle = 1;
};

registry_state& state() {
  static registry_state registry;
  return registry;
}

// The key behind a handle, or null. The lock is held by the caller.
node_ptr key_of(registry_state& s, hkey key) {
  if (key == hkey_local_machine) return s.content.local_machine;
  if (key == hkey_current_user) return s.content.current_user;
  const auto found = s.open.find(key);
  return found == s.open.end() ? nullptr : found->second;
}

}  // namespace

void replace_registry(registry_tree content) {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  s.content = std::move(content);
}

zq::result_t load_registry_text(std::string_view text, registry_text_error& error) {
  registry_tree content;
  if (const zq::result_t rc = read_registry_text(text, content, error); rc != zq::rc::ok) return rc;
  replace_registry(std::move(content));
  return zq::rc::ok;
}

zq::result_t open_registry_key(hkey parent, std::wstring_view path, hkey& out) {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  node_ptr key = key_of(s, parent);
  while (key != nullptr && !path.empty()) {
    const std::size_t end = path.find(L'\\');
    key = key->find_subkey(path.substr(0, end));
    path = end == std::wstring_view::npos ? std::wstring_view() : path.substr(end + 1);
  }
  if (key == nullptr) return zq::rc::registry_key_not_found;
  out = s.next_handle++;
  s.open.emplace(out, std::move(key));
  return zq::rc::ok;
}

zq::result_t close_registry_key(hkey key) {
  if (key == hkey_local_machine || key == hkey_current_user) return zq::rc::ok;
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  return s.open.erase(key) == 1 ? zq::rc::ok : zq::rc::registry_key_not_found;
}

zq::result_t query_registry_value(hkey key, std::wstring_view name, registry_value& out) {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  const node_ptr node = key_of(s, key);
  if (node == nullptr) return zq::rc::registry_key_not_found;
  const registry_value* value = node->find_value(name);
  if (value == nullptr) return zq::rc::registry_value_not_found;
  out = *value;
  return zq::rc::ok;
}

zq::result_t query_registry_string(hkey key, std::wstring_view name, std::wstring& out) {
  registry_value value;
  if (const zq::result_t rc = query_registry_value(key, name, value); rc != zq::rc::ok) return rc;
  if (value.type != registry_type::string) return zq::rc::registry_wrong_type;
  out = std::move(value.text);
  return zq::rc::ok;
}

zq::result_t query_registry_number(hkey key, std::wstring_view name, std::uint32_t& out) {
  registry_value value;
  if (const zq::result_t rc = query_registry_value(key, name, value); rc != zq::rc::ok) return rc;
  if (value.type != registry_type::number) return zq::rc::registry_wrong_type;
  out = value.number;
  return zq::rc::ok;
}

zq::result_t enumerate_registry_subkey(hkey key, std::uint32_t index, std::wstring& name) {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  const node_ptr node = key_of(s, key);
  if (node == nullptr) return zq::rc::registry_key_not_found;
  if (index >= node->subkeys().size()) return zq::rc::registry_no_more_items;
  name = node->subkeys()[index]->name();
  return zq::rc::ok;
}

zq::result_t enumerate_registry_value(hkey key, std::uint32_t index, registry_value& out) {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  const node_ptr node = key_of(s, key);
  if (node == nullptr) return zq::rc::registry_key_not_found;
  if (index >= node->values().size()) return zq::rc::registry_no_more_items;
  out = node->values()[index];
  return zq::rc::ok;
}

std::size_t open_registry_key_count() {
  registry_state& s = state();
  const std::lock_guard guard(s.lock);
  return s.open.size();
}

}  // namespace platform
