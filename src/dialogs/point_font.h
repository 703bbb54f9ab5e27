// Fonts of the program's dialogs given in points (tenths of a point, for sizes such as 8.6): the
// point size taken at 96 dots per inch, doubled on screen classes 3 to 6.
#pragma once

#include <memory>
#include <string>

#include "platform/font.h"

namespace dialogs {

std::shared_ptr<const platform::font> point_font(const std::wstring& face, int tenths_of_point, int weight,
                                                 int screen_class);

// The title (control 1021): Tahoma 11 points, weight 600 on classes 3 to 6 and 850 otherwise.
std::shared_ptr<const platform::font> title_font(int screen_class);
// The subtitle (control 1022): Tahoma 8.6 points, weight 700.
std::shared_ptr<const platform::font> subtitle_font(int screen_class);

}  // namespace dialogs
