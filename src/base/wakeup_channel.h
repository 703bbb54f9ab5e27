// How the wake-up program finds the running program: the shared block in which the program keeps
// its main window's handle while it is the active application (0 otherwise). The message it posts
// there is platform::wm_wakeup.
#pragma once

#include <cstddef>
#include <string_view>

namespace zq {

inline constexpr std::wstring_view wakeup_block_name = L"Zequon::{7D41C5A2-3E9B-4F06-8C2D-A15E0B93F4C7}";
inline constexpr std::size_t wakeup_block_size = 4;

}  // namespace zq
