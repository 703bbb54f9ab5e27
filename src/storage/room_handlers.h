// The handlers that read and write the room document kept in the main profile:
//
//   "room" (name, category "1000")
//     "hot-remotes"   eight "item" (category = label, database = codebase, page: 16-bit)
//     "hardbuttons"   the hard-button assignments (outworld::assignment_loader, write_hard_buttons)
//     "remote"        current = codebase on screen, page: 16-bit
//
// Strings are copied out of the document, so the bytes need not outlive the parse. Unknown
// elements are skipped with everything inside them; attributes of an unexpected type are ignored.
#pragma once

#include <cstdint>

#include "storage/codebase_catalog.h"
#include "storage/hot_button_table.h"
#include "storage/profile_handler.h"
#include "storage/room_state.h"

namespace remote {

// The hot list: "hot-remotes", or "hot-rooms" in its room-list variant. Each "item" fills the next
// record from the first, starting from an empty record; items after the eighth are ignored. In
// "hot-remotes" an item whose codebase is empty loses its label, and one whose codebase the
// catalog does not hold loses label and codebase. A "hot-rooms" list gets the entry
// ("iUnk", "Default Room") in its first free record unless some record holds "Default Room".
class ring_handler final : public xman::profile_handler {
 public:
  // codebases: the catalog items are checked against; null checks nothing. Both must outlive the
  // handler.
  ring_handler(hot_button_table& table, const xman::codebase_catalog* codebases)
      : table_(table), codebases_(codebases) {}

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  void finish() override;
  // Always the "hot-remotes" form, all eight records.
  void write_to(meta::simple::element_handler& out) const override;

 private:
  hot_button* current_record();

  hot_button_table& table_;
  const xman::codebase_catalog* codebases_;
  bool room_list_ = false;
  std::size_t items_ = 0;  // "item" elements seen
};

// The "remote" element: the codebase on screen and its page.
class device_handler final : public xman::profile_handler {
 public:
  explicit device_handler(room_state& room) : room_(room) {}

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  void write_to(meta::simple::element_handler& out) const override;

 private:
  room_state& room_;
};

// The "room" element; hands its children to the handlers above and "hardbuttons" to the
// assignment loader.
class wc_room_handler final : public xman::profile_handler {
 public:
  wc_room_handler(room_state& room, const xman::codebase_catalog* codebases) : room_(room), codebases_(codebases) {}

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  void write_to(meta::simple::element_handler& out) const override;

 private:
  room_state& room_;
  const xman::codebase_catalog* codebases_;
};

}  // namespace remote
