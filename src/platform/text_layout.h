// Where the lines of a text go in a rectangle for a text format: single line or broken into lines
// (at line feeds, and between words when word-wrapped), aligned left, centred or right, and for a
// single line also at the top, the middle or the bottom. "&" marks the next character as the
// underlined one unless prefix characters are off; "&&" stands for "&".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/font.h"
#include "platform/geometry.h"

namespace platform {

// Text format flags, combinable; the handheld's values.
inline constexpr unsigned dt_top = 0x0000;
inline constexpr unsigned dt_left = 0x0000;
inline constexpr unsigned dt_center = 0x0001;
inline constexpr unsigned dt_right = 0x0002;
inline constexpr unsigned dt_vcenter = 0x0004;  // single line only
inline constexpr unsigned dt_bottom = 0x0008;   // single line only
inline constexpr unsigned dt_wordbreak = 0x0010;
inline constexpr unsigned dt_singleline = 0x0020;
inline constexpr unsigned dt_noclip = 0x0100;
inline constexpr unsigned dt_calcrect = 0x0400;  // measure only: the rectangle the text needs
inline constexpr unsigned dt_noprefix = 0x0800;

struct text_line {
  std::wstring text;
  std::vector<bool> underlined;  // per character of text
  point position;                // top-left of the line
  int width = 0;
};

struct text_layout {
  std::vector<text_line> lines;
  // The rectangle the text needs from the given rectangle's top-left: the widest line by the
  // lines' height (one line's height for an empty text).
  rect extent;
};

text_layout lay_out_text(std::wstring_view text, const rect& r, unsigned format, const font& f);

}  // namespace platform
