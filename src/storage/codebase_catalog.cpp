#include "storage/codebase_catalog.h"

#include <optional>

#include "storage/codebase_version.h"
#include "storage/database.h"

namespace xman {

catalog_filter codebase_catalog::filter() {
  return {{kCreator, kTypeCodebaseOld}, {kCreator, kTypeCodebase}, {kCreator, kTypeCodebaseTemporary}};
}

catalog_filter codebase_catalog::listed_filter() { return {{kCreator, kTypeCodebaseOld}, {kCreator, kTypeCodebase}}; }

std::vector<std::string> codebase_catalog::list(bool rescan) const {
  if (rescan) catalog_.scan();
  return catalog_.names(listed_filter());
}

zq::result_t codebase_catalog::create(std::string_view name, std::span<const std::uint8_t> layout,
                                      std::span<const std::vector<std::uint8_t>> records) const {
  // A name the catalog holds is refused before anything is made, so that the clean-up below can
  // only ever delete the database made here.
  if (catalog_.path_of(name)) return zq::rc::create_failed;
  if (const zq::result_t result = catalog_.create(name, kCreator, kTypeCodebase, kCodebaseVersion);
      result != zq::rc::ok) {
    return result;
  }
  zq::result_t result = zq::rc::not_found;
  if (const std::optional<std::wstring> path = catalog_.path_of(name)) {
    database db;
    result = db.open(*path, database::open_mode_t::read_write);
    if (result == zq::rc::ok) {
      db.add_record(layout);
      for (const std::vector<std::uint8_t>& record : records) db.add_record(record);
      result = db.save();
    }
    db.close();
  }
  if (result != zq::rc::ok) (void)catalog_.remove(name);
  return result;
}

zq::result_t codebase_catalog::mark_temporary(std::string_view name) const {
  return catalog_.set_attributes(name, std::nullopt, kTypeCodebaseTemporary, std::nullopt);
}

zq::result_t codebase_catalog::mark_current(std::string_view name) const {
  return catalog_.set_attributes(name, std::nullopt, kTypeCodebase, std::nullopt);
}

bool codebase_catalog::is_too_new(std::string_view name) const {
  const std::optional<catalog_entry> entry = catalog_.attributes_of(name);
  return entry && is_codebase_too_new(entry->type, entry->version);
}

zq::result_t codebase_catalog::convert(std::string_view name) const {
  const std::optional<catalog_entry> entry = catalog_.attributes_of(name);
  if (!entry) return zq::rc::not_found;
  four_cc type = entry->type;
  std::uint16_t version = entry->version;
  if (const zq::result_t result = convert_codebase_header(type, version); result != zq::rc::ok) return result;
  if (type == entry->type && version == entry->version) return zq::rc::ok;
  return catalog_.set_attributes(name, std::nullopt, type, version);
}

}  // namespace xman
