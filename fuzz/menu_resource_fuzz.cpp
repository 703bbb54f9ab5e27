// Parses arbitrary bytes as a menu resource. Whatever the outcome, the result code is one of the
// parser's, a refused text leaves no menu, and a menu read keeps the limits: popups only at the
// top level, no more items than allowed, texts no longer than allowed, command ids in range.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/menu_resource.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void check_menu(const platform::menu& m, bool top) {
  check(static_cast<std::size_t>(m.count()) <= platform::menu_resource_max_items);
  for (const platform::menu_item& item : m.items()) {
    check(item.text.size() <= platform::menu_resource_max_text);
    if (item.is_popup()) {
      check(top && item.popup != nullptr);
      check_menu(*item.popup, false);
    } else if (!item.is_separator()) {
      check(item.id >= 1 && item.id <= platform::max_command_id);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::menu m;
  std::size_t line = 0;
  const zq::result_t result = platform::parse_menu(std::span(data, size), m, &line);
  check(result == zq::rc::ok || result == zq::rc::menu_resource_malformed ||
        result == zq::rc::menu_resource_too_large);
  if (result != zq::rc::ok) {
    check(m.count() == 0);
    return 0;
  }
  check_menu(m, true);
  return 0;
}
