// File names compared the way the handheld's file system compares them: without regard to case,
// and matched against enumeration patterns where "*" stands for any run of characters and "?" for
// exactly one.
#pragma once

#include <string_view>

namespace platform {

// Whether name matches pattern, case-insensitively. As on the handheld, "*.*" matches every name,
// with or without a dot.
bool name_matches_pattern(std::wstring_view name, std::wstring_view pattern);

// Whether two names (or paths) are the same name to the handheld: equal but for case.
bool names_equal_ignoring_case(std::wstring_view a, std::wstring_view b);

}  // namespace platform
