// Where users are sent when something goes wrong: the maker's support e-mail address and the web
// page listing the devices the program supports. Configuration values, used in error reports.
#pragma once

namespace redeye {

inline constexpr const char* support_email = "support@zequon.example";
inline constexpr const char* devices_web_address = "https://zequon.example/devices";

}  // namespace redeye
