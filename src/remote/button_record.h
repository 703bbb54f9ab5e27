// remote::button_record: everything one "button" or "label" element of a layout document says,
// read in full. The drawing of a button and the editor work from it; the runtime button keeps only
// its rectangle, texts, state and where its element lies in the document.
#pragma once

#include <cstdint>
#include <string>

namespace remote {

// Profile numbers: below 1000 a built-in colour, 1000 nothing, above 1000 a skin image.
inline constexpr std::int32_t profile_none = 1000;

struct button_record {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::string title;
  std::string action;
  std::int32_t profile = profile_none;
  std::int32_t icon_profile = profile_none;
  std::int32_t icon_dx = 0;
  std::int32_t icon_dy = 0;
  std::int32_t title_dx = 0;
  std::int32_t title_dy = 0;
  std::int32_t font = 0;
  std::uint32_t color = 0;  // 0x00BBGGRR
  std::int32_t align = 0;
  std::int32_t state = 0;
  std::uint8_t is_button = 1;
  std::uint8_t focus_frame = 0;

  friend bool operator==(const button_record&, const button_record&) = default;
};

}  // namespace remote
