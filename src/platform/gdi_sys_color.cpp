#include "platform/gdi_sys_color.h"

#include <array>

namespace platform {

colorref get_sys_color(int index) {
  static constexpr std::array<colorref, 29> scheme = {
      rgb(200, 200, 200),  // scrollbar
      rgb(255, 255, 255),  // background
      rgb(0, 0, 128),      // active caption
      rgb(128, 128, 128),  // inactive caption
      rgb(255, 255, 255),  // menu
      rgb(255, 255, 255),  // window
      rgb(0, 0, 0),        // window frame
      rgb(0, 0, 0),        // menu text
      rgb(0, 0, 0),        // window text
      rgb(255, 255, 255),  // caption text
      rgb(192, 192, 192),  // active border
      rgb(192, 192, 192),  // inactive border
      rgb(128, 128, 128),  // application workspace
      rgb(0, 0, 128),      // highlight
      rgb(255, 255, 255),  // highlight text
      rgb(192, 192, 192),  // button face
      rgb(128, 128, 128),  // button shadow
      rgb(128, 128, 128),  // gray text
      rgb(0, 0, 0),        // button text
      rgb(192, 192, 192),  // inactive caption text
      rgb(255, 255, 255),  // button highlight
      rgb(0, 0, 0),        // dark 3-D shadow
      rgb(224, 224, 224),  // light 3-D
      rgb(0, 0, 0),        // info text
      rgb(255, 255, 225),  // info background
      rgb(192, 192, 192),  // static background
      rgb(0, 0, 0),        // static text
      rgb(16, 132, 208),   // gradient active caption
      rgb(181, 181, 181),  // gradient inactive caption
  };
  const int plain = index & ~sys_color::flag;
  return plain >= 0 && plain < static_cast<int>(scheme.size()) ? scheme[static_cast<std::size_t>(plain)] : 0;
}

}  // namespace platform
