// Text at the boundaries: documents and database names hold 8-bit text in the system code page
// (Windows-1252), the user interface and paths work with wide strings, and the host's file names
// are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zq {

// 8-bit code-page text to wide text; every byte has a mapping.
std::wstring code_page_to_wide(std::string_view text);

// Wide text to 8-bit code-page text; characters without a mapping become '?'.
std::string wide_to_code_page(std::wstring_view text);

// Wide text to UTF-8 and back. Invalid UTF-8 sequences become U+FFFD.
std::string wide_to_utf8(std::wstring_view text);
std::wstring utf8_to_wide(std::string_view text);

}  // namespace zq
