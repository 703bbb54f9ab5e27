// Codebases of the previous program generation ("2.x"): databases whose records after the header
// are one signal each — optionally the bytes 0x00 0x02, the signal's name NUL-terminated and
// padded to an even length, then the signal payload. Their names start with a device-type prefix
// that selects the import table renaming their signals to a pattern's button names.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "storage/database.h"
#include "storage/database_catalog.h"
#include "storage/pattern_catalogue.h"

namespace xman {

// The (creator, type) pairs of 2.x codebases, for a database catalog of the chosen folder.
catalog_filter codebase_2x_filter();

// Newer databases are closed again without reading a signal.
inline constexpr std::uint16_t codebase_2x_last_version = 270;

// The import filter of a 2.x codebase name: "TV_", "CAB_", "DVD_", "VCR_", "AUD_" or "TIV_" when the
// name starts with one of them in any letter case, else the empty filter.
std::string_view import_filter_of(std::string_view codebase_name);

// Opens a 2.x codebase read-only: 0, the database's open failure, or zq::rc::codebase_too_new
// (closed again) for a version above codebase_2x_last_version.
[[nodiscard]] zq::result_t open_codebase_2x(std::wstring_view path, database& out);

// Every signal record (record 1 on) with its name changed through the table; records whose name
// the table lacks, or that hold no terminated name, come back unchanged.
std::vector<std::vector<std::uint8_t>> read_2x_signals(const database& codebase, const import_table& table);

}  // namespace xman
