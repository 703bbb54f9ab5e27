// The program's dialog templates (resource type "DIALOG", compiled into the program from text
// sources): a dialog's size, caption and font and its controls, measured in dialog units (a
// quarter of the dialog font's average character width across, an eighth of its height down).
// One statement per line, UTF-8; blank lines and lines starting with "#" are skipped:
//
//   dialog 120 150 "Flip Screen"          width, height, caption; the first statement, once
//   font "Tahoma" 8                       optional, before the controls: face and point size
//   control 1001 RadioButton "IR is on the top" 8 20 100 12 group tabstop
//       id (0..65535), class name (letters, digits, _ . :), text, x y width height, style words
//
// Style words: tabstop, group, disabled, hidden, default (a push button the Select key presses),
// left, center, right (static text), or a hexadecimal number "0x..." for a class's own bits.
// Quoted texts take \" \\ and \n as escapes. Limits: 64 KiB of text, 255 controls, 255
// characters per text, 64 per class name, 1023 dialog units per coordinate or size, point sizes
// 1 to 72.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/geometry.h"
#include "platform/module.h"
#include "platform/resource_name.h"

namespace platform {

inline const resource_name dialog_resource_type{"DIALOG"};

inline constexpr std::size_t dialog_template_max_bytes = 64 * 1024;
inline constexpr std::size_t dialog_template_max_controls = 255;
inline constexpr std::size_t dialog_template_max_text = 255;
inline constexpr std::size_t dialog_template_max_class = 64;
inline constexpr int dialog_template_max_units = 1023;
inline constexpr int dialog_template_max_points = 72;

// Styles every control class shares (the other bits belong to the class).
namespace dialog_style {
inline constexpr std::uint32_t group = 0x00020000;    // starts a group (radio buttons check within it)
inline constexpr std::uint32_t tabstop = 0x00010000;  // the navigation pad stops on it
}  // namespace dialog_style

struct dialog_control_template {
  std::uint32_t id = 0;
  std::wstring class_name;
  std::wstring text;
  rect position;             // dialog units, in the dialog's client area
  std::uint32_t style = 0;   // ws::visible unless "hidden"; ws::disabled; dialog_style and class bits
};

struct dialog_template {
  size extent;                   // dialog units
  std::wstring caption;
  std::wstring font_face = L"Tahoma";
  int font_points = 8;
  std::vector<dialog_control_template> controls;
};

// Reads a template from its text. 0, zq::rc::dialog_template_malformed or
// zq::rc::dialog_template_too_large (out is then empty); error_line (when given) gets the 1-based
// line of the fault.
[[nodiscard]] zq::result_t parse_dialog_template(std::span<const std::uint8_t> text, dialog_template& out,
                                                 std::size_t* error_line = nullptr);

// The template with this id of the module: 0, zq::rc::resource_not_found or the parser's codes.
[[nodiscard]] zq::result_t load_dialog_template(const module& from, std::uint16_t id, dialog_template& out);

}  // namespace platform
