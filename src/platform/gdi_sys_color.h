// The system colours of the handheld's default scheme, by the handheld's indices. An index may
// carry the handheld's system-colour flag (0x40000000).
#pragma once

#include "platform/pixel_surface.h"

namespace platform {

namespace sys_color {
inline constexpr int scrollbar = 0;
inline constexpr int background = 1;
inline constexpr int active_caption = 2;
inline constexpr int inactive_caption = 3;
inline constexpr int menu = 4;
inline constexpr int window = 5;
inline constexpr int window_frame = 6;
inline constexpr int menu_text = 7;
inline constexpr int window_text = 8;
inline constexpr int caption_text = 9;
inline constexpr int active_border = 10;
inline constexpr int inactive_border = 11;
inline constexpr int app_workspace = 12;
inline constexpr int highlight = 13;
inline constexpr int highlight_text = 14;
inline constexpr int button_face = 15;
inline constexpr int button_shadow = 16;
inline constexpr int gray_text = 17;
inline constexpr int button_text = 18;
inline constexpr int inactive_caption_text = 19;
inline constexpr int button_highlight = 20;
inline constexpr int dark_shadow_3d = 21;
inline constexpr int light_3d = 22;
inline constexpr int info_text = 23;
inline constexpr int info_background = 24;
inline constexpr int static_background = 25;
inline constexpr int static_text = 26;
inline constexpr int gradient_active_caption = 27;
inline constexpr int gradient_inactive_caption = 28;
inline constexpr int flag = 0x40000000;
}  // namespace sys_color

// Black for an unknown index.
colorref get_sys_color(int index);

}  // namespace platform
