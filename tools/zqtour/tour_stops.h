// The stops of the dialog tour: each of the program's dialogs that stands on its own, opened
// modally over the tour's window with what it shows on a first start.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "platform/window_cwnd.h"

namespace zqtour {

struct tour_stop {
  std::string_view name;  // also the picture's file name
  // Runs the dialog until it is closed; its result, -1 when it could not be shown.
  std::function<int(platform::CWnd& owner)> run;
};

std::span<const tour_stop> tour_stops();

}  // namespace zqtour
