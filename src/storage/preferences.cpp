#include "storage/preferences.h"

#include <optional>

namespace xman {

catalog_filter preferences::filter() { return {{kCreator, kTypePreferences}}; }

std::vector<std::string> preferences::list(bool rescan) const {
  if (rescan) catalog_.scan();
  return catalog_.names();
}

zq::result_t preferences::save_as(std::string_view name) const {
  std::vector<std::uint8_t> record;
  if (const zq::result_t result = profile_.read_record(record); result != zq::rc::ok) return result;
  const std::span<const std::uint8_t> records[] = {record};
  return catalog_.store(name, kCreator, kTypePreferences, 0, records);
}

zq::result_t preferences::load(std::string_view name) const {
  const std::optional<std::wstring> path = catalog_.path_of(name);
  if (!path) return -1;
  std::vector<std::uint8_t> record;
  if (const zq::result_t result = read_first_record(*path, record); result != zq::rc::ok) return result;
  return profile_.store_record(record);
}

}  // namespace xman
