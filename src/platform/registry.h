// The device's registry, read the way the handheld's programs read it: open a key by path under a
// root or an open key, query its values, enumerate its subkeys and values by index, close it.
// Its content is put in place whole (a device profile, registry_reader.h); the program itself
// writes nothing there.
//
// Handles are checked: a handle that is not open (never opened, closed already) is answered with
// rc::registry_key_not_found, never trusted. An open handle keeps its key readable even after the
// content has been replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "platform/registry_reader.h"
#include "platform/registry_tree.h"

namespace platform {

using hkey = std::uintptr_t;
// The roots, with the handheld's numbers; always open, closing them does nothing.
inline constexpr hkey hkey_current_user = 0x80000001;
inline constexpr hkey hkey_local_machine = 0x80000002;

// Replaces the whole content (an empty registry until the first call).
void replace_registry(registry_tree content);
// Reads REGEDIT4 text (registry_reader.h) and, only when it is well formed, makes it the content.
[[nodiscard]] zq::result_t load_registry_text(std::string_view text, registry_text_error& error);

// Opens the key at a backslash-separated path below parent (a root or an open key); names compare
// ignoring case; an empty path opens parent's key again.
[[nodiscard]] zq::result_t open_registry_key(hkey parent, std::wstring_view path, hkey& out);
// rc::registry_key_not_found for a handle that is not open.
zq::result_t close_registry_key(hkey key);

// The value of that name (empty: the key's default value); rc::registry_value_not_found when the
// key has none, rc::registry_wrong_type when it is of another type.
[[nodiscard]] zq::result_t query_registry_value(hkey key, std::wstring_view name, registry_value& out);
[[nodiscard]] zq::result_t query_registry_string(hkey key, std::wstring_view name, std::wstring& out);
[[nodiscard]] zq::result_t query_registry_number(hkey key, std::wstring_view name, std::uint32_t& out);

// The name of the index-th subkey, or the index-th value, in creation order;
// rc::registry_no_more_items past the last.
[[nodiscard]] zq::result_t enumerate_registry_subkey(hkey key, std::uint32_t index, std::wstring& name);
[[nodiscard]] zq::result_t enumerate_registry_value(hkey key, std::uint32_t index, registry_value& out);

// How many handles are open (a test's check that every open was closed).
std::size_t open_registry_key_count();

}  // namespace platform
