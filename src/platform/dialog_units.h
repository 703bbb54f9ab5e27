// Dialog units: templates measure in quarters of the dialog font's average character width
// across and eighths of its height down, so a dialog keeps its proportions whatever its font.
// The font's point size is taken at 96 dots per inch and doubled on a high-resolution screen.
#pragma once

#include <memory>
#include <string>

#include "platform/font.h"
#include "platform/geometry.h"

namespace platform {

struct dialog_base_units {
  int x = 4;  // pixels per 4 horizontal units
  int y = 8;  // pixels per 8 vertical units
};

std::shared_ptr<const font> dialog_font(const std::wstring& face, int points);
dialog_base_units base_units_of(const font& f);

rect dialog_units_to_pixels(const rect& units, dialog_base_units base);
size dialog_units_to_pixels(size units, dialog_base_units base);

}  // namespace platform
