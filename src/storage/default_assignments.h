// The built-in default assignments of the hard buttons, kept as a resource of type "NHDR"
// (identifier 164): a sequence of records, each three NUL-terminated 8-bit texts (key identifier,
// codebase, command) followed by two zero bytes; a zero byte where the next key identifier would
// start, or the end of the data, ends the list.
#pragma once

#include <cstdint>
#include <span>

#include "base/result.h"
#include "storage/hard_button_assignment.h"

namespace outworld {

inline constexpr std::uint16_t default_assignments_resource_id = 164;

// Adds the records to table (a later record for the same key replaces an earlier one). 0, or
// zq::rc::malformed_document when a record is cut short or its two closing bytes are not zero; the
// complete records before it are kept.
[[nodiscard]] zq::result_t parse_default_assignments(std::span<const std::uint8_t> records, assignment_table& table);

// The records the program ships: the navigation pad sends "Vol-", "Vol+", "Ch+", "Ch-" and "OK",
// the first two application keys "Mute" and "Power", all from the codebase on screen.
std::span<const std::uint8_t> shipped_default_assignments();

}  // namespace outworld
