// The screen class: the display's resolution, orientation and density as one of seven classes,
// which the program's dialogs and layouts go by. Classes 3 to 6 are the high-resolution screens,
// where every pixel size doubles.
#pragma once

#include "platform/geometry.h"

namespace dialogs {

inline constexpr int screen_class_unsupported = -1;

//   0  240 x 320 or 240 x 400          1  320 x 240 or 400 x 240          2  240 x 240
//   3  480 x 640 or 480 x 800, 192 dpi 4  640 x 480 or 800 x 480, 192 dpi
//   5  480 x 640 or 480 x 800, 96 dpi  6  640 x 480 or 800 x 480, 96 dpi
// Any other screen (or density on the large ones) is unsupported (-1).
int screen_class_of(platform::size screen, int dpi);
// The class of the screen as it is now (its size and dots per inch).
int current_screen_class();

// 2 on classes 3 to 6, else 1.
int pixel_scale_of(int screen_class);

enum class template_shape { portrait, landscape, square };
// Landscape on classes 1, 4 and 6, square on 2, portrait otherwise.
template_shape template_shape_of(int screen_class);

}  // namespace dialogs
