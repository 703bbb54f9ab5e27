// One step of a macro as the macro editor models it, and as the macro reader hands it over: send
// a signal or run a macro (reference), perform an application command (action), or wait (delay).
#pragma once

#include <cstdint>
#include <string>

namespace redeye {

enum class macro_item_type_t : std::int32_t { reference = 1, action = 2, delay = 3 };

struct macro_item {
  macro_item_type_t type = macro_item_type_t::reference;
  // Reference: the signal name, or the macro name with "$" in front. Action: the command text.
  std::string name;
  // Reference: the codebase holding the target, empty for the codebase of the running context.
  std::string base;
  // Pass count of a signal reference: -1 not set, 0 three passes, 0xFFFF one pass, n n passes.
  std::int32_t repeat = -1;
  // Milliseconds: the transmit time of a reference (-1 or 0 none), the length of a delay.
  std::int32_t time = -1;

  bool is_macro_reference() const { return type == macro_item_type_t::reference && name.starts_with('$'); }

  bool operator==(const macro_item&) const = default;
};

}  // namespace redeye
