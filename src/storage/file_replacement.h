// Replacing the content of a stored file all-or-nothing: the new content goes to a sibling file,
// is made durable, and then takes the original's name in one rename. A failure or a crash at any
// step leaves either the old file or the new one whole under the original name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace xman {

// The sibling that receives new content: the path with ".new" appended, so that it never ends in
// ".pdb" and folder scans do not take it for a database.
std::wstring replacement_path(std::wstring_view path);

// Writes content to the sibling, flushes it and renames it over path. On failure the sibling is
// removed (best effort) and path is untouched. 0 or the system's error number.
[[nodiscard]] int replace_file(std::wstring_view path, std::span<const std::uint8_t> content);

}  // namespace xman
