#include "platform/desktop_window.h"

#include <utility>

namespace platform {

namespace {
desktop_raiser& raiser() {
  static desktop_raiser installed;
  return installed;
}
}  // namespace

void set_desktop_raiser(desktop_raiser r) { raiser() = std::move(r); }

void raise_desktop_window() {
  if (raiser()) raiser()();
}

}  // namespace platform
