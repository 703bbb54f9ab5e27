#include "ir/macro_writer.h"

#include <algorithm>
#include <string>

#include "storage/meta_omemstream.h"
#include "storage/meta_writer.h"

namespace redeye {

namespace {

meta::value text_value(const std::string& text) {
  return meta::value::of_string(text.c_str(), static_cast<std::uint32_t>(text.size() + 1));
}

// The 16-bit pattern of a number 0..0xFFFF (stored as a signed 16-bit value).
meta::value number_value(std::int32_t number) {
  const auto bits = static_cast<std::uint16_t>(std::clamp(number, 0, macro_number_max));
  return meta::value::of_int16(static_cast<std::int16_t>(bits));
}

void write_item(meta::simple::writer& writer, const macro_item& item) {
  switch (item.type) {
    case macro_item_type_t::reference:
      writer.write_start("reference");
      if (!item.base.empty()) writer.write_attribute("base", text_value(item.base));
      writer.write_attribute(item.is_macro_reference() ? "macro" : "signal", text_value(item.name));
      if (item.time > 0) {
        writer.write_attribute("duration", number_value(item.time));
      } else if (item.repeat >= 0) {
        writer.write_attribute("repeat", number_value(item.repeat));
      }
      writer.write_end();
      break;
    case macro_item_type_t::action:
      if (item.name.empty()) return;
      writer.write_start("action");
      writer.write_attribute("id", text_value(item.name));
      writer.write_end();
      break;
    case macro_item_type_t::delay:
      if (item.time <= 0) return;
      writer.write_start("delay");
      writer.write_attribute("ms", number_value(item.time));
      writer.write_end();
      break;
  }
}

}  // namespace

zq::result_t write_macro(std::span<const macro_item> items, std::string_view name, std::vector<std::uint8_t>& out) {
  if (name.starts_with('$')) name.remove_prefix(1);
  if (items.empty() || name.empty() || name.find('\0') != std::string_view::npos) return -1;

  meta::omemstream stream;
  const std::uint8_t header[] = {0x00, 0x01};
  stream.write(header, sizeof header);
  stream.write(name.data(), name.size());
  stream.put(0);
  {
    meta::simple::writer writer(stream);
    writer.write_start("macro");
    writer.write_attribute("ver", meta::value::of_int16(static_cast<std::int16_t>(macro_document_version)));
    for (const macro_item& item : items) write_item(writer, item);
    writer.write_end();
  }
  if (stream.failed()) return zq::rc::document_incomplete;
  out.assign(stream.bytes().begin(), stream.bytes().end());
  return zq::rc::ok;
}

}  // namespace redeye
