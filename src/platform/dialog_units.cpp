#include "platform/dialog_units.h"

#include <algorithm>

#include "platform/screen.h"

namespace platform {

namespace {

// value * numerator / denominator, rounded half away from zero (all values here are small).
int scaled(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

std::shared_ptr<const font> dialog_font(const std::wstring& face, int points) {
  const int em = std::max(1, scaled(points, 96, 72)) * screen_scale();
  return font::create({face, -em, 400});
}

dialog_base_units base_units_of(const font& f) {
  return {std::max(1, f.metrics().average_char_width), std::max(1, f.metrics().height)};
}

rect dialog_units_to_pixels(const rect& units, dialog_base_units base) {
  return {scaled(units.left, base.x, 4), scaled(units.top, base.y, 8), scaled(units.right, base.x, 4),
          scaled(units.bottom, base.y, 8)};
}

size dialog_units_to_pixels(size units, dialog_base_units base) {
  return {scaled(units.cx, base.x, 4), scaled(units.cy, base.y, 8)};
}

}  // namespace platform
