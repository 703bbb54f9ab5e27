// The version of the IR driver layer (the processor families' drivers and the pipeline that feeds
// them), shown in the About box. It changes whenever what a driver puts on the LED changes.
#pragma once

#include <string_view>

namespace redeye {

inline constexpr std::wstring_view driver_layer_version = L"1.0";

}  // namespace redeye
