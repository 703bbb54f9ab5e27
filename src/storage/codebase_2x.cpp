#include "storage/codebase_2x.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace xman {

namespace {

constexpr std::array<std::string_view, 6> device_prefixes = {"TV_", "CAB_", "DVD_", "VCR_", "AUD_", "TIV_"};
constexpr std::uint8_t marker[] = {0x00, 0x02};

bool starts_without_case(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char p, char t) {
    return p == (t >= 'a' && t <= 'z' ? static_cast<char>(t - 'a' + 'A') : t);
  });
}

// Name and terminator take an even number of bytes.
std::size_t padded_length(std::size_t name_length) { return (name_length + 2) & ~std::size_t{1}; }

}  // namespace

catalog_filter codebase_2x_filter() { return {{four_cc("ZQem"), four_cc("ZIrC")}, {four_cc("ZQem"), four_cc("ZIr1")}}; }

std::string_view import_filter_of(std::string_view codebase_name) {
  for (const std::string_view prefix : device_prefixes) {
    if (starts_without_case(codebase_name, prefix)) return prefix;
  }
  return {};
}

zq::result_t open_codebase_2x(std::wstring_view path, database& out) {
  if (const zq::result_t rc = out.open(path, database::open_mode_t::read_only); rc != zq::rc::ok) return rc;
  if (out.version() > codebase_2x_last_version) {
    out.close();
    return zq::rc::codebase_too_new;
  }
  return zq::rc::ok;
}

std::vector<std::vector<std::uint8_t>> read_2x_signals(const database& codebase, const import_table& table) {
  std::vector<std::vector<std::uint8_t>> signals;
  for (std::size_t i = 1; i < codebase.record_count(); ++i) {
    const std::span<const std::uint8_t> record = codebase.record(i);
    std::vector<std::uint8_t>& out = signals.emplace_back(record.begin(), record.end());
    const bool has_marker = record.size() >= 2 && record[0] == marker[0] && record[1] == marker[1];
    const std::size_t name_at = has_marker ? 2 : 0;
    if (record.size() <= name_at) continue;
    const auto* name_start = record.data() + name_at;
    const auto* terminator = static_cast<const std::uint8_t*>(std::memchr(name_start, 0, record.size() - name_at));
    if (terminator == nullptr) continue;
    const std::string name(reinterpret_cast<const char*>(name_start), static_cast<std::size_t>(terminator - name_start));
    const auto renamed = table.find(name);
    if (renamed == table.end()) continue;
    const std::size_t payload_at = std::min(record.size(), name_at + padded_length(name.size()));
    out.assign(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(name_at));
    out.insert(out.end(), renamed->second.begin(), renamed->second.end());
    out.resize(name_at + padded_length(renamed->second.size()), 0);
    out.insert(out.end(), record.begin() + static_cast<std::ptrdiff_t>(payload_at), record.end());
  }
  return signals;
}

}  // namespace xman
