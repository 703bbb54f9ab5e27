// Writes an assignment table as the "hardbuttons" element of a room document, entries in key order:
//
//   hardbuttons {
//     button { id = "Left"
//       ir-reference { remote = CODEBASE  signal = COMMAND }   when the codebase is set and not "@@action"
//       action { command = COMMAND }                           otherwise
//     }
//   }
//
// The events go to any element handler, normally a meta::simple::writer.
#pragma once

#include "storage/hard_button_assignment.h"
#include "storage/meta_element_handler.h"

namespace outworld {

void write_hard_buttons(const assignment_table& table, meta::simple::element_handler& out);

}  // namespace outworld
