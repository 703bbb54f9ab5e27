#include "storage/codebase.h"

#include <utility>

#include "storage/codebase_record.h"
#include "storage/codebase_version.h"

namespace xman {

codebase::codebase(database_catalog& catalog) : catalog_(catalog) {}

codebase::~codebase() { codebase::close(); }

zq::result_t codebase::open(std::string_view name) { return open_in_mode(name, database::open_mode_t::read_only); }

zq::result_t codebase::open_in_mode(std::string_view name, database::open_mode_t mode) {
  // The name may be this object's own (reopening), which close() clears.
  const std::string wanted(name);
  close();
  const std::optional<std::wstring> path = catalog_.path_of(wanted);
  if (!path) return zq::rc::not_found;
  if (const zq::result_t result = database_.open(*path, mode); result != zq::rc::ok) {
    database_.close();
    return result;
  }
  return finish_open(wanted);
}

zq::result_t codebase::open_image(std::vector<std::uint8_t> image) {
  close();
  if (const zq::result_t result = database_.load_image(std::move(image)); result != zq::rc::ok) {
    database_.close();
    return result;
  }
  return finish_open(database_.name());
}

zq::result_t codebase::finish_open(std::string_view name) {
  if (database_.version() > kCodebaseVersion) {
    database_.close();
    return zq::rc::codebase_too_new;
  }
  name_ = std::string(name);
  rebuild_indexes();
  return zq::rc::ok;
}

void codebase::close() {
  signals_.clear();
  macros_.clear();
  name_.clear();
  database_.close();
}

zq::result_t codebase::layout(std::span<const std::uint8_t>& out) const {
  out = {};
  if (record_count() == 0) return zq::rc::codebase_empty;
  out = database_.record(0);
  return zq::rc::ok;
}

int codebase::signal_index_of(std::string_view name) const {
  const auto found = signals_.find(name);
  return found == signals_.end() ? -1 : found->second;
}

int codebase::macro_index_of(std::string_view name) const {
  const auto found = macros_.find(name);
  return found == macros_.end() ? -1 : found->second;
}

std::span<const std::uint8_t> codebase::record(std::size_t index) const {
  if (index >= record_count()) return {};
  return database_.record(index);
}

void codebase::rebuild_indexes() {
  signals_.clear();
  macros_.clear();
  const std::size_t count = record_count();
  // A database holds at most 65535 records, so every index fits the 16-bit value.
  for (std::size_t i = 1; i < count; ++i) {
    const codebase_record_info info = classify_codebase_record(database_.record(i));
    const auto index = static_cast<std::uint16_t>(i);
    // emplace keeps the entry already present, so the lowest index of a name wins.
    if (is_signal_kind(info.kind)) {
      signals_.emplace(info.name, index);
    } else if (info.kind == codebase_record_kind_t::macro) {
      macros_.emplace(info.name, index);
    }
  }
}

}  // namespace xman
