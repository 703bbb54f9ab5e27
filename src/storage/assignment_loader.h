// outworld::assignment_loader: reads the "hardbuttons" element of a room document into an
// assignment table.
//
// The room's handler, meeting "hardbuttons", hands the element over:
//
//   if (name.view() == "hardbuttons") return outworld::assignment_loader::take_over(reader(), this, table);
//
// The loader empties the table when it sees its element, then reacts to attributes only, in
// document order, whatever the elements holding them are called:
//   "id"       the current key
//   "remote"   table[current key].codebase
//   "signal"   table[current key].command (a macro keeps its "$")
//   "command"  table[current key] := ("@@action", command)
// An entry is created on first use of a key. Attributes before the first "id", or after an "id"
// that is not a text, have no key and are ignored, as are values that are not texts. At the end of
// the element the parent is current again and the loader deletes itself; on malformed input the
// entries read so far stay in the table.
#pragma once

#include <cstddef>
#include <string>

#include "storage/hard_button_assignment.h"
#include "storage/meta_ladder_handler.h"

namespace outworld {

class assignment_loader final : public meta::simple::ladder_handler {
 public:
  // The table must outlive the parse.
  assignment_loader(meta::detail::reader_impl& reader, meta::simple::element_handler* parent, assignment_table& table);

  // Creates a loader below parent, makes it current and returns `again`, so that the reader
  // delivers the element that is being started to the loader.
  [[nodiscard]] static zq::result_t take_over(meta::detail::reader_impl& reader, meta::simple::element_handler* parent,
                                              assignment_table& table);

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;

 private:
  assignment_table& table_;
  bool started_ = false;
  // Elements open inside the own element, so that a nested element of the same name does not end
  // the loader early.
  std::size_t depth_ = 0;
  bool has_key_ = false;
  std::string key_;
};

}  // namespace outworld
