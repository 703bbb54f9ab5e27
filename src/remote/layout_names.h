// The element and attribute names of layout documents, and their recognition. A reader that meets
// many names resolves the document's names table once into a key per index, so that each name it
// is handed afterwards is recognised by one integer lookup; names written inline are compared by
// their text.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/meta_name.h"

namespace meta {
class names_table;
}

namespace remote {

enum class layout_name : std::uint8_t {
  other,
  // Elements.
  remote,
  service,
  layout,
  page,
  button,
  label,
  title,
  icon,
  action,
  // Attributes.
  version,
  skin,
  name,
  base,
  orient,
  bg,
  x,
  y,
  w,
  h,
  profile,
  state,
  txt,
  dx,
  dy,
  font,
  color,
  align,
  id,
};

// The key of a name's text; other for a name layout documents do not use.
layout_name layout_name_of(std::string_view text);

class layout_name_keys {
 public:
  // Takes the keys of every name of the table (done once per document).
  void resolve(const meta::names_table& names);
  // The key of a name handed by the reader.
  layout_name key(const meta::name_ref& name) const {
    if (name.index != 0) return name.index < by_index_.size() ? by_index_[name.index] : layout_name::other;
    return layout_name_of(name.view());
  }

 private:
  std::vector<layout_name> by_index_;  // entry 0 unused: indices start at 1
};

}  // namespace remote
