// The IR engine's error record: a category saying which step failed and a code with the detail.
// Errors are sticky: an operation on a context whose record holds an error does nothing, until
// the caller clears the record.
#pragma once

#include <cstdint>

namespace redeye {

namespace error_category {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t macro_internal = 1;    // internal macro failure
inline constexpr std::uint32_t macro_hot_list = 2;    // internal macro failure, or an empty hot-list entry
inline constexpr std::uint32_t codebase_open = 3;     // a referenced codebase cannot be opened (storage code)
inline constexpr std::uint32_t driver = 4;            // a driver operation failed (driver code)
inline constexpr std::uint32_t no_driver = 5;         // no driver for this processor
inline constexpr std::uint32_t codebase_missing = 6;  // a referenced codebase does not exist
inline constexpr std::uint32_t unused = 7;            // never set
inline constexpr std::uint32_t name_missing = 8;      // a referenced signal or macro does not exist
inline constexpr std::uint32_t pronto = 9;            // Pronto hex text rejected
}  // namespace error_category

struct error_t {
  std::uint32_t category = error_category::none;  // also called the error code
  std::int32_t code = 0;                          // also called the detail

  bool failed() const { return category != error_category::none; }
  // Records an error unless one is recorded already (the first error stays).
  void set(std::uint32_t new_category, std::int32_t new_code) {
    if (failed()) return;
    category = new_category;
    code = new_code;
  }
  void clear() {
    category = error_category::none;
    code = 0;
  }

  bool operator==(const error_t&) const = default;
};

}  // namespace redeye
