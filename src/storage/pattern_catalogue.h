// The pattern catalogue of a skin: the predefined button layouts ("patterns") a new codebase can
// start from, and the import tables that rename the signals of older codebases to match a
// pattern's buttons. The catalogue is a document (resource "CDAT" 4096 of the skin); each
// pattern's layout is the skin's "RDAT" resource with the pattern's resource id.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/module.h"

namespace xman {

// Three parallel lists, one entry per pattern.
struct pattern_list {
  std::vector<std::string> names;  // shown to the user
  std::vector<std::string> ids;    // short identifiers ("TV"): default names, labels, import tables
  std::vector<std::int32_t> resource_ids;
};

// Old signal name -> new signal name.
using import_table = std::map<std::string, std::string>;

// The patterns offered for category: entries outside any categorised element count for every
// category until an element for this category (exact comparison) replaces them; elements for
// other categories and the "import" part are passed over; reading ends with the "content" part.
// A damaged document offers no patterns.
pattern_list read_pattern_list(std::span<const std::uint8_t> catalogue, std::string_view category);

// The rename map of the "import" part for a device-type filter and a pattern identifier: pairs of
// "src" and "dst" attributes of the first "table" whose "filter" and "category" attributes (where
// present) equal them; a later pair for the same old name wins. A damaged document gives no map.
import_table read_import_table(std::span<const std::uint8_t> catalogue, std::string_view filter,
                               std::string_view pattern_id);

// The catalogue of one skin library at a time, with the pattern list last asked for.
class pattern_catalogue {
 public:
  // Loads the skin library unless it is the one already loaded and takes its catalogue. 0, or the
  // library's load failure. A skin without a catalogue loads and offers no patterns.
  [[nodiscard]] zq::result_t load(std::wstring_view skin_path);
  const pattern_list& patterns(std::string_view category);
  // The layout document of the index-th pattern of the last list: 0, zq::rc::resource_not_found
  // (no such pattern, or an unknown resource id).
  [[nodiscard]] zq::result_t pattern_layout(std::size_t index, std::span<const std::uint8_t>& layout) const;
  // The import table for a filter and the index-th pattern of the last list (empty when none).
  import_table import_table_for(std::string_view filter, std::size_t index) const;

 private:
  std::wstring skin_path_;
  platform::module skin_;
  std::span<const std::uint8_t> catalogue_;
  pattern_list last_;
};

}  // namespace xman
