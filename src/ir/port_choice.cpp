#include "ir/port_choice.h"

namespace redeye {

namespace {

constexpr std::size_t shortest_detected_entry = 6;

std::wstring upper_case(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return upper;
}

}  // namespace

std::wstring port_name_of_entry(std::wstring_view entry) {
  const std::size_t colon = entry.find(L':');
  return std::wstring(colon == std::wstring_view::npos ? entry : entry.substr(0, colon + 1));
}

std::optional<std::size_t> autodetected_port(const std::vector<std::wstring>& entries) {
  std::optional<std::size_t> irda;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].size() < shortest_detected_entry) continue;
    const std::wstring text = upper_case(entries[i]);
    if (text.find(L"INFRARED") != std::wstring::npos) return i;
    if (!irda && text.find(L"IRDA") != std::wstring::npos) irda = i;
  }
  return irda;
}

std::optional<std::size_t> stored_port_entry(const std::vector<std::wstring>& entries, std::wstring_view stored) {
  if (stored.empty()) return std::nullopt;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (port_name_of_entry(entries[i]) == stored) return i;
  return std::nullopt;
}

std::optional<std::size_t> initial_port_entry(const std::vector<std::wstring>& entries, std::wstring_view stored) {
  return stored.empty() ? autodetected_port(entries) : stored_port_entry(entries, stored);
}

}  // namespace redeye
