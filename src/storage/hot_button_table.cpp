#include "storage/hot_button_table.h"

#include <algorithm>

namespace remote {
namespace {

bool holds(const hot_button& record, std::string_view name) { return !name.empty() && record.codebase == name; }

}  // namespace

bool hot_button_table::forget_codebase(std::string_view name) {
  bool changed = false;
  for (hot_button& record : records_) {
    if (!holds(record, name)) continue;
    record.label.clear();
    record.codebase.clear();
    changed = true;
  }
  return changed;
}

bool hot_button_table::rename_codebase(std::string_view old_name, std::string_view new_name) {
  bool changed = false;
  for (hot_button& record : records_) {
    if (!holds(record, old_name) || old_name == new_name) continue;
    record.codebase = new_name;
    changed = true;
  }
  return changed;
}

std::int16_t hot_button_table::find_page(std::string_view name) const {
  const auto it = std::find_if(records_.begin(), records_.end(), [&](const hot_button& r) { return holds(r, name); });
  return it == records_.end() ? 0 : it->last_page;
}

void hot_button_table::store_page(std::string_view name, std::int16_t page) {
  for (hot_button& record : records_) {
    if (holds(record, name)) record.last_page = page;
  }
}

bool hot_button_table::contains(std::string_view name) const {
  return std::any_of(records_.begin(), records_.end(), [&](const hot_button& r) { return holds(r, name); });
}

bool hot_button_table::add(std::string_view name, std::string_view label) {
  if (name.empty() || contains(name)) return false;
  const auto it = std::find_if(records_.begin(), records_.end(), [](const hot_button& r) { return r.is_free(); });
  if (it == records_.end()) return false;
  *it = hot_button{std::string(label), std::string(name), 0};
  return true;
}

}  // namespace remote
