#include "storage/hard_button_writer.h"

namespace outworld {
namespace {

using meta::name_ref;

void text_attribute(meta::simple::element_handler& out, const char* name, const std::string& text) {
  (void)out.attribute(name_ref::of(name), meta::value::of_text(text.c_str()));
}

}  // namespace

void write_hard_buttons(const assignment_table& table, meta::simple::element_handler& out) {
  (void)out.start_element(name_ref::of("hardbuttons"));
  for (const auto& [key, entry] : table) {
    (void)out.start_element(name_ref::of("button"));
    text_attribute(out, "id", key);
    if (!entry.codebase.empty() && entry.codebase != action_codebase) {
      (void)out.start_element(name_ref::of("ir-reference"));
      text_attribute(out, "remote", entry.codebase);
      text_attribute(out, "signal", entry.command);
      (void)out.end_element(name_ref::of("ir-reference"));
    } else {
      (void)out.start_element(name_ref::of("action"));
      text_attribute(out, "command", entry.command);
      (void)out.end_element(name_ref::of("action"));
    }
    (void)out.end_element(name_ref::of("button"));
  }
  (void)out.end_element(name_ref::of("hardbuttons"));
}

}  // namespace outworld
