// Versions and kinds of codebase databases. The current kind is type "Rda1" at version 330; type
// "Rdat" is the older kind, converted when it is saved; a version above 330 is unknown to this
// program and is not opened.
#pragma once

#include <cstdint>

#include "base/result.h"
#include "storage/database_file.h"

namespace xman {

inline constexpr std::uint16_t kCodebaseVersion = 330;

// The header a codebase of this type and version gets when it is converted to the current kind:
// "Rdat" becomes "Rda1" at version 330, "Rda1" below 330 is raised to 330, "Rda1" at 330 or above
// stays as it is. Any other type is 1043 and leaves both values unchanged.
[[nodiscard]] zq::result_t convert_codebase_header(four_cc& type, std::uint16_t& version);

// A current-kind codebase written by a newer program.
inline bool is_codebase_too_new(four_cc type, std::uint16_t version) {
  return type == kTypeCodebase && version > kCodebaseVersion;
}

}  // namespace xman
