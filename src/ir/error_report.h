// What the user is told about an IR engine error: the message text for each category and code,
// and whether it is shown as an error or a warning. Some errors are not reported at all.
#pragma once

#include <optional>
#include <string>

#include "ir/ir_error.h"

namespace redeye {

enum class report_icon_t { error, warning };

struct error_report {
  std::string text;
  report_icon_t icon = report_icon_t::error;

  bool operator==(const error_report&) const = default;
};

// Nothing for no error, for category 7, and for driver codes 0 and 4.
std::optional<error_report> report_of(const error_t& error);

}  // namespace redeye
