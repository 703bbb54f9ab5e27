// Where a runtime button's element lies in its document: the button's look is read from these
// bytes again at every draw instead of being kept in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "remote/screen_fit.h"

namespace meta {
class names_table;
}

namespace remote {

struct button_fragment {
  // The element's first byte (its 0x01) and the bytes from there to the end of the document.
  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
  // The document's names table (indexed names in the fragment refer to it); null for a document
  // that writes its names inline.
  std::shared_ptr<const meta::names_table> names;
  // The chosen layout's base and the screen's, for scaling the offsets.
  screen_fit fit;

  bool empty() const { return bytes == nullptr || size == 0; }
};

}  // namespace remote
