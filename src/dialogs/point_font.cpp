#include "dialogs/point_font.h"

#include <algorithm>

#include "dialogs/screen_class.h"

namespace dialogs {

std::shared_ptr<const platform::font> point_font(const std::wstring& face, int tenths_of_point, int weight,
                                                 int screen_class) {
  // Pixels to the em: points * 96 / 72, rounded.
  const int em = std::max(1, (tenths_of_point * 96 + 360) / 720) * pixel_scale_of(screen_class);
  return platform::font::create({face, -em, weight});
}

std::shared_ptr<const platform::font> title_font(int screen_class) {
  return point_font(L"Tahoma", 110, pixel_scale_of(screen_class) == 2 ? 600 : 850, screen_class);
}

std::shared_ptr<const platform::font> subtitle_font(int screen_class) {
  return point_font(L"Tahoma", 86, 700, screen_class);
}

}  // namespace dialogs
