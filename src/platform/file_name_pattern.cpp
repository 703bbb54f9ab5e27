#include "platform/file_name_pattern.h"

namespace platform {

namespace {

// Upper case for ASCII and Latin-1 letters, the letters the handheld's file names hold in practice.
wchar_t folded(wchar_t c) {
  if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<wchar_t>(c - 0x20);
  return c;
}

}  // namespace

bool name_matches_pattern(std::wstring_view name, std::wstring_view pattern) {
  if (pattern == L"*.*") pattern = L"*";
  // Greedy matching that returns to the last "*" on a mismatch: linear in practice and never
  // worse than the product of the lengths.
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t star = std::wstring_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      star_name = n;
    } else if (p < pattern.size() && (pattern[p] == L'?' || folded(pattern[p]) == folded(name[n]))) {
      ++p;
      ++n;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

bool names_equal_ignoring_case(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (folded(a[i]) != folded(b[i])) return false;
  }
  return true;
}

}  // namespace platform
