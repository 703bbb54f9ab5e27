#include "remote/screen_fit.h"

#include <algorithm>
#include <limits>

namespace remote {

namespace {

// Whether the larger of a and b is a whole multiple of the smaller. Bases that are not positive
// never divide.
bool divides_evenly(std::int32_t a, std::int32_t b) {
  if (a <= 0 || b <= 0) return false;
  return std::max(a, b) % std::min(a, b) == 0;
}

// v * numerator / denominator, truncating, kept inside the 32-bit range. A denominator or numerator
// that is not a real base leaves v unchanged.
std::int32_t rescale(std::int32_t v, std::int32_t numerator, std::int32_t denominator) {
  if (numerator <= 0 || denominator <= 0) return v;
  const std::int64_t scaled = static_cast<std::int64_t>(v) * numerator / denominator;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t orientation_of(std::string_view name) {
  if (name == "wm-landscape") return orientation_landscape;
  if (name == "wm-portrait") return orientation_portrait;
  if (name == "wm-quad" || name == "quad") return orientation_quad;
  return orientation_unknown;
}

std::string_view orientation_name(std::int32_t code) {
  switch (code) {
    case orientation_landscape:
      return "wm-landscape";
    case orientation_portrait:
      return "wm-portrait";
    case orientation_quad:
      return "wm-quad";
    default:
      return {};
  }
}

screen_fit fit_for_screen_class(int screen_class) {
  screen_fit fit;
  switch (screen_class) {
    case 0:
      fit.target_base = 240;
      fit.target_orientation = orientation_portrait;
      break;
    case 1:
      fit.target_base = 240;
      fit.target_orientation = orientation_landscape;
      break;
    case 2:
      fit.target_base = 240;
      fit.target_orientation = orientation_quad;
      break;
    case 3:
    case 5:
      fit.target_base = 480;
      fit.target_orientation = orientation_portrait;
      break;
    case 4:
    case 6:
      fit.target_base = 480;
      fit.target_orientation = orientation_landscape;
      break;
    default:
      break;
  }
  return fit;
}

bool is_perfect(const screen_fit& fit) {
  // A screen without targets has no perfect layout.
  if (fit.target_orientation == orientation_unknown || fit.target_base <= 0) return false;
  return fit.chosen_orientation == fit.target_orientation && fit.chosen_base == fit.target_base;
}

bool offer_layout(screen_fit& fit, std::int32_t base, std::string_view orientation) {
  const std::int32_t code = orientation_of(orientation);
  if (code == orientation_unknown) return false;
  if (is_perfect(fit)) return false;
  if (code != fit.target_orientation) return false;
  const bool better = fit.chosen_base == -1 || base == fit.target_base ||
                      (!divides_evenly(fit.chosen_base, fit.target_base) && divides_evenly(base, fit.target_base));
  if (!better) return false;
  fit.chosen_base = base;
  fit.chosen_orientation = code;
  return true;
}

std::int32_t scale_to_screen(const screen_fit& fit, std::int32_t v) {
  return rescale(v, fit.target_base, fit.chosen_base);
}

std::int32_t scale_to_design(const screen_fit& fit, std::int32_t v) {
  return rescale(v, fit.chosen_base, fit.target_base);
}

}  // namespace remote
