// Reads arbitrary bytes as REGEDIT4 text. A refusal names a line within the text and leaves the
// tree it was given as it was; an acceptance gives keys within the name and depth limits, no two
// siblings or values of the same name, and a profile description within its ranges when one is
// described.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/device_profile.h"
#include "platform/registry_reader.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

void check_key(const platform::registry_key_node& key, std::size_t depth) {
  check(depth <= platform::max_registry_depth);
  const auto& subkeys = key.subkeys();
  for (std::size_t i = 0; i < subkeys.size(); ++i) {
    check(!subkeys[i]->name().empty() && subkeys[i]->name().size() <= platform::max_registry_key_name);
    for (std::size_t j = 0; j < i; ++j) check(!platform::same_registry_name(subkeys[i]->name(), subkeys[j]->name()));
    check_key(*subkeys[i], depth + 1);
  }
  const auto& values = key.values();
  for (std::size_t i = 0; i < values.size(); ++i) {
    check(values[i].name.size() <= platform::max_registry_value_name);
    for (std::size_t j = 0; j < i; ++j) check(!platform::same_registry_name(values[i].name, values[j].name));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace platform;
  // A copy of exactly the input's size, so that any read past the end is caught.
  const std::vector<char> text(data, data + size);
  const std::string_view view(text.data(), text.size());
  std::size_t line_count = 1;
  for (const char c : view) line_count += c == '\n' ? 1 : 0;

  registry_tree tree;
  tree.local_machine->subkey(L"Untouched");
  registry_text_error error;
  if (read_registry_text(view, tree, error) != zq::rc::ok) {
    check(error.line <= line_count);
    check(!error.reason.empty());
    check(tree.local_machine->subkeys().size() == 1 && tree.current_user->subkeys().empty());
    return 0;
  }
  check_key(*tree.local_machine, 0);
  check_key(*tree.current_user, 0);

  device_profile profile;
  std::string problem;
  if (describe_device_profile(tree, profile, problem) == zq::rc::ok) {
    check(profile.screen.cx >= 1 && profile.screen.cx <= 4096 && profile.screen.cy >= 1 && profile.screen.cy <= 4096);
    check(profile.dpi >= 1 && profile.dpi <= 1000 && !profile.processor.processor_name.empty());
    check(profile.ir_uart >= 0 && profile.ir_uart <= 15);
  } else {
    check(!problem.empty());
  }
  return 0;
}
