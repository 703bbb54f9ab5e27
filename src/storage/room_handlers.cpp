#include "storage/room_handlers.h"

#include <algorithm>
#include <string_view>

#include "storage/assignment_loader.h"
#include "storage/hard_button_writer.h"

namespace remote {
namespace {

using meta::simple::go_on;
using meta::simple::skip_element;

constexpr const char* kRoom = "room";
constexpr const char* kHotList = "hot-remotes";
constexpr const char* kHotRoomList = "hot-rooms";
constexpr const char* kItem = "item";
constexpr const char* kHardButtons = "hardbuttons";
constexpr const char* kDevice = "remote";
constexpr const char* kRoomCategory = "1000";
// The entry a room list always offers.
constexpr const char* kRoomListLabel = "iUnk";

bool is(const meta::name_ref& name, std::string_view text) { return name.view() == text; }

bool is_string(const meta::value& v) { return v.type == meta::type_t::string; }

bool is_integer(const meta::value& v) {
  return v.type == meta::type_t::int8 || v.type == meta::type_t::int16 || v.type == meta::type_t::int32;
}

void start(meta::simple::element_handler& out, const char* name) { out.start_element(meta::name_ref::of(name)); }
void end(meta::simple::element_handler& out, const char* name) { out.end_element(meta::name_ref::of(name)); }

void text_attribute(meta::simple::element_handler& out, const char* name, const std::string& text) {
  out.attribute(meta::name_ref::of(name), meta::value::of_text(text.c_str()));
}

void page_attribute(meta::simple::element_handler& out, std::int16_t page) {
  out.attribute(meta::name_ref::of("page"), meta::value::of_int16(page));
}

}  // namespace

// ---- hot list

hot_button* ring_handler::current_record() {
  if (items_ == 0 || items_ > hot_button_table::size) return nullptr;
  return &table_[items_ - 1];
}

zq::result_t ring_handler::start_element(const meta::name_ref& name) {
  if (own_name().empty()) {
    room_list_ = is(name, kHotRoomList);
    return profile_handler::start_element(name);
  }
  if (!is(name, kItem)) return skip_element;
  ++items_;
  // A document with more items than records has the extra ones skipped.
  if (hot_button* record = current_record()) {
    *record = hot_button{};
    return go_on;
  }
  return skip_element;
}

zq::result_t ring_handler::attribute(const meta::name_ref& name, const meta::value& v) {
  hot_button* record = current_record();
  if (record == nullptr) return go_on;  // attributes of the list element itself
  if (is(name, "category") && is_string(v)) {
    record->label = v.text_view();
  } else if (is(name, "page") && is_integer(v)) {
    record->last_page = static_cast<std::int16_t>(v.integer);
  } else if (is(name, "database") && is_string(v)) {
    record->codebase = v.text_view();
    if (room_list_) return go_on;
    // A hot button may not outlive its codebase.
    if (record->codebase.empty()) {
      record->label.clear();
    } else if (codebases_ != nullptr && !codebases_->exists(record->codebase)) {
      record->label.clear();
      record->codebase.clear();
    }
  }
  return go_on;
}

void ring_handler::finish() {
  if (!room_list_ || table_.contains(kDefaultRoomName)) return;
  const auto free = std::find_if(table_.begin(), table_.end(), [](const hot_button& r) { return r.is_free(); });
  if (free != table_.end()) *free = hot_button{kRoomListLabel, kDefaultRoomName, 0};
}

void ring_handler::write_to(meta::simple::element_handler& out) const {
  start(out, kHotList);
  for (const hot_button& record : table_) {
    start(out, kItem);
    text_attribute(out, "category", record.label);
    text_attribute(out, "database", record.codebase);
    page_attribute(out, record.last_page);
    end(out, kItem);
  }
  end(out, kHotList);
}

// ---- the device on screen

zq::result_t device_handler::start_element(const meta::name_ref& name) {
  if (own_name().empty()) return profile_handler::start_element(name);
  return skip_element;
}

zq::result_t device_handler::attribute(const meta::name_ref& name, const meta::value& v) {
  if (is(name, "current") && is_string(v)) {
    room_.current = v.text_view();
  } else if (is(name, "page") && is_integer(v)) {
    room_.page = static_cast<std::int16_t>(v.integer);
  }
  return go_on;
}

void device_handler::write_to(meta::simple::element_handler& out) const {
  start(out, kDevice);
  text_attribute(out, "current", room_.current);
  page_attribute(out, room_.page);
  end(out, kDevice);
}

// ---- the room

zq::result_t wc_room_handler::start_element(const meta::name_ref& name) {
  if (own_name().empty()) return profile_handler::start_element(name);
  if (is(name, kHotList) || is(name, kHotRoomList)) return hand_to(new ring_handler(room_.hot_buttons, codebases_));
  if (is(name, kDevice)) return hand_to(new device_handler(room_));
  if (is(name, kHardButtons)) return outworld::assignment_loader::take_over(reader(), this, room_.hard_buttons);
  return skip_element;
}

zq::result_t wc_room_handler::attribute(const meta::name_ref& name, const meta::value& v) {
  if (is(name, "name") && is_string(v)) room_.name = v.text_view();
  return go_on;
}


void wc_room_handler::write_to(meta::simple::element_handler& out) const {
  start(out, kRoom);
  text_attribute(out, "name", room_.name);
  out.attribute(meta::name_ref::of("category"), meta::value::of_text(kRoomCategory));
  ring_handler(room_.hot_buttons, nullptr).write_to(out);
  outworld::write_hard_buttons(room_.hard_buttons, out);
  device_handler(room_).write_to(out);
  end(out, kRoom);
}

}  // namespace remote
