// The event interface through which documents are read and written. Every loader implements it,
// and so does the writer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/result.h"
#include "storage/meta_exception.h"
#include "storage/meta_name.h"
#include "storage/meta_value.h"

namespace meta::simple {

// Results of the handler operations. Any other value counts as go_on.
inline constexpr zq::result_t go_on = 0;
// From start_element only: the handler has installed another handler that must see the same
// element; the reader calls start_element of its (new) current handler again.
inline constexpr zq::result_t again = 1;
// Stops the parse; parse returns -1 and no error() is called.
inline constexpr zq::result_t abort_parse = 2;
// Skips the rest of the current element (attributes, content, children); its end_element is not
// delivered and delivery resumes with the next sibling.
inline constexpr zq::result_t skip_element = 3;
// From start_element only: hand the element's raw bytes to raw_element; its result counts instead.
inline constexpr zq::result_t raw_bytes = 4;

class element_handler {
 public:
  virtual zq::result_t start_element(const name_ref& name) = 0;
  // bytes points at the element's 0x01 byte inside the input; size counts the bytes from there to
  // the end of the input (not just to the end of the element).
  virtual zq::result_t raw_element(const name_ref& name, const std::uint8_t* bytes, std::size_t size) {
    (void)name;
    (void)bytes;
    (void)size;
    return go_on;
  }
  virtual zq::result_t end_element(const name_ref& name) = 0;
  virtual zq::result_t attribute(const name_ref& name, const value& v) = 0;
  virtual zq::result_t content(const value& v) = 0;
  // Malformed input; the parse stops after this call whatever it returns.
  virtual zq::result_t error(const meta_exception& e) = 0;

  virtual ~element_handler() = default;
};

}  // namespace meta::simple
