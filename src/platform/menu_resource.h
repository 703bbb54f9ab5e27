// The program's menu resources (resource type "MENU", compiled into the program from text
// sources). One statement per line, UTF-8; blank lines and lines starting with "#" are skipped:
//
//   popup "Options"              a popup of the menu; its items follow until "end"
//     item "Add New Device" 32782        a command: text and decimal id 1..65535
//     item "Use Sounds" 32875 checked    optional flags after the id: checked, grayed
//     separator
//   end
//
// Items may also stand at the top level (outside any popup); popups do not nest. Quoted texts
// take \" and \\ as escapes. Limits: 64 KiB of text, 64 items per menu, 255 characters per text.
#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "platform/menu.h"
#include "platform/module.h"
#include "platform/resource_name.h"

namespace platform {

inline const resource_name menu_resource_type{"MENU"};

inline constexpr std::size_t menu_resource_max_bytes = 64 * 1024;
inline constexpr std::size_t menu_resource_max_items = 64;
inline constexpr std::size_t menu_resource_max_text = 255;

// Reads a menu from its text. 0, zq::rc::menu_resource_malformed or zq::rc::menu_resource_too_large
// (out is then empty); error_line (when given) gets the 1-based line of the fault.
[[nodiscard]] zq::result_t parse_menu(std::span<const std::uint8_t> text, menu& out, std::size_t* error_line = nullptr);

// The menu resource with this id of the module: 0, zq::rc::resource_not_found or parse_menu's codes.
[[nodiscard]] zq::result_t load_menu(const module& from, std::uint16_t id, menu& out);

}  // namespace platform
