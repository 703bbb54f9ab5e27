#include "storage/settings_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "base/byte_order.h"
#include "base/utf16_text.h"
#include "storage/recent_list.h"

namespace xman {
namespace {

constexpr std::size_t first_run_offset = 0;
constexpr std::size_t recent_offset = 1;
constexpr std::size_t recent_slot_size = 32;
constexpr std::size_t ir_port_offset = recent_offset + recent_count * recent_slot_size;  // 161
constexpr std::size_t ir_port_units = 7;
constexpr std::size_t folder_offset = ir_port_offset + ir_port_units * 2;  // 175
static_assert(folder_offset == settings_head_size);
// Orientation, screen class and sounds after the folder; the padding after them.
constexpr std::size_t tail_size = 4 + 4 + 1;
constexpr std::size_t padding_size = 2;
// Bytes after the folder's units in the current layout: its NUL unit, tail and padding.
constexpr std::size_t even_layout_overhead = folder_offset + tail_size + padding_size;  // 186

// A text's UTF-16 units, at most limit of them, without splitting a surrogate pair.
std::u16string units_of(const std::wstring& text, std::size_t limit) {
  std::u16string units = zq::wide_to_utf16(std::wstring_view(text).substr(0, text.find(L'\0')));
  if (units.size() > limit) {
    units.resize(limit);
    if (units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  }
  return units;
}

void put_units(std::vector<std::uint8_t>& out, std::u16string_view units) {
  for (const char16_t unit : units) {
    out.push_back(static_cast<std::uint8_t>(unit));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
}

void put_le32(std::vector<std::uint8_t>& out, std::int32_t v) {
  std::uint8_t bytes[4];
  zq::store_le32(bytes, static_cast<std::uint32_t>(v));
  out.insert(out.end(), bytes, bytes + 4);
}

// Up to count units from p, stopping at the first NUL unit.
std::wstring read_units(const std::uint8_t* p, std::size_t count) {
  std::u16string units;
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t unit = zq::load_le16(p + 2 * i);
    if (unit == 0) break;
    units.push_back(unit);
  }
  return zq::utf16_to_wide(units);
}

std::int32_t in_range(std::uint32_t stored, std::int32_t unset, std::int32_t max) {
  const auto v = static_cast<std::int32_t>(stored);
  return v >= 0 && v <= max ? v : unset;
}

}  // namespace

std::vector<std::uint8_t> encode_settings(const settings_values& values) {
  const std::u16string folder = units_of(values.import_folder, import_folder_limit);
  std::vector<std::uint8_t> out;
  out.reserve(even_layout_overhead + 2 * folder.size() + 2);
  out.push_back(values.first_run ? 1 : 0);
  for (const std::string& name : values.recent) {
    const std::string_view text = fitting_recent_name(name);
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), recent_slot_size - text.size(), 0);
  }
  std::u16string port = units_of(values.ir_port, ir_port_limit);
  port.resize(ir_port_units, u'\0');
  put_units(out, port);
  put_units(out, folder);
  put_units(out, std::u16string(1, u'\0'));
  put_le32(out, values.orientation);
  put_le32(out, values.screen_class);
  out.push_back(values.use_sounds ? 1 : 0);
  out.insert(out.end(), padding_size, 0x21);
  return out;
}

void decode_settings(std::span<const std::uint8_t> bytes, settings_values& values) {
  const std::size_t size = bytes.size();
  const std::uint8_t* data = bytes.data();
  if (size > first_run_offset) values.first_run = data[first_run_offset] != 0;
  if (size >= ir_port_offset) {
    for (std::size_t i = 0; i < recent_count; ++i) {
      const char* slot = reinterpret_cast<const char*>(data + recent_offset + i * recent_slot_size);
      values.recent[i].assign(slot, strnlen(slot, recent_name_limit));
    }
  }
  if (size >= folder_offset) values.ir_port = read_units(data + ir_port_offset, ir_port_limit);

  const bool even = size % 2 == 0;
  const std::size_t overhead = even ? even_layout_overhead : folder_offset;
  const std::size_t folder_bytes = size > overhead ? size - overhead : 0;
  if (folder_bytes > 0) {
    values.import_folder = read_units(data + folder_offset, std::min(folder_bytes / 2, import_folder_limit));
  }

  const std::size_t tail = folder_offset + folder_bytes;
  if (even && tail + tail_size <= size) {
    values.orientation = in_range(zq::load_le32(data + tail), orientation_unset, orientation_max);
    values.screen_class = in_range(zq::load_le32(data + tail + 4), screen_class_unset, screen_class_max);
    values.use_sounds = data[tail + 8] != 0;
  }
}

}  // namespace xman
