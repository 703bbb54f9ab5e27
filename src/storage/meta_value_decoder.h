// Decoding one value or one name at a position of a document, bounds-checked. Shared by the reader
// and the text dump so that both accept exactly the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byte_order.h"
#include "storage/meta_format.h"
#include "storage/meta_name.h"
#include "storage/meta_names_table.h"
#include "storage/meta_value.h"

// The reader's hot path: every value and name of a document goes through these.
#if defined(__GNUC__)
#define ZQ_META_INLINE [[gnu::always_inline]] inline
#else
#define ZQ_META_INLINE inline
#endif

namespace meta::detail {

// The data of every zero-length string value.
inline constexpr std::uint8_t empty_text[1] = {0};

// Reads the length prefix of width bytes after the tag at data[pos] and the payload behind it.
ZQ_META_INLINE bool decode_counted(const std::uint8_t* data, std::size_t size, std::size_t& pos, std::size_t width,
                           value& out) {
  const std::size_t head = 1 + width;
  if (size - pos < head) return false;
  const std::uint8_t* p = data + pos + 1;
  const std::uint32_t length = width == 1 ? p[0] : width == 2 ? zq::load_be16(p) : zq::load_be32(p);
  if (size - pos - head < length) return false;
  out.data = data + pos + head;
  out.length = length;
  pos += head + length;
  return true;
}

// A string must be empty or end with its NUL, so that its data is always a text.
ZQ_META_INLINE bool decode_string(const std::uint8_t* data, std::size_t size, std::size_t& pos, std::size_t width,
                          value& out) {
  if (!decode_counted(data, size, pos, width, out)) return false;
  out.type = type_t::string;
  if (out.length == 0) {
    out.data = empty_text;
    return true;
  }
  return out.data[out.length - 1] == 0;
}

// Decodes the value whose tag is at data[pos] (pos < size) and moves pos past it. False for an
// unknown tag, a payload running past the end, or a string not ending in NUL.
ZQ_META_INLINE bool decode_value(const std::uint8_t* data, std::size_t size, std::size_t& pos, value& out) {
  switch (data[pos]) {
    case tag::empty:
      out.type = type_t::empty;
      pos += 1;
      return true;
    case tag::int8:
      if (size - pos < 2) return false;
      out.type = type_t::int8;
      out.integer = static_cast<std::int8_t>(data[pos + 1]);
      pos += 2;
      return true;
    case tag::int16:
      if (size - pos < 3) return false;
      out.type = type_t::int16;
      out.integer = static_cast<std::int16_t>(zq::load_be16(data + pos + 1));
      pos += 3;
      return true;
    case tag::int32:
      if (size - pos < 5) return false;
      out.type = type_t::int32;
      out.integer = static_cast<std::int32_t>(zq::load_be32(data + pos + 1));
      pos += 5;
      return true;
    case tag::bool_true:
    case tag::bool_false:
      out.type = type_t::boolean;
      out.integer = data[pos] == tag::bool_true ? 1 : 0;
      pos += 1;
      return true;
    case tag::binary8:
      out.type = type_t::binary;
      return decode_counted(data, size, pos, 1, out);
    case tag::binary16:
      out.type = type_t::binary;
      return decode_counted(data, size, pos, 2, out);
    case tag::binary32:
      out.type = type_t::binary;
      return decode_counted(data, size, pos, 4, out);
    case tag::string8:
    case tag::string8_alt:
      return decode_string(data, size, pos, 1, out);
    case tag::string16:
      return decode_string(data, size, pos, 2, out);
    case tag::string32:
      return decode_string(data, size, pos, 4, out);
    default:
      return false;
  }
}

// Decodes the name at data[pos]: a string ending in NUL (inline), or a 16-bit index into names.
// pos may be at the end of the input (then false).
ZQ_META_INLINE bool decode_name(const std::uint8_t* data, std::size_t size, std::size_t& pos, const names_table& names,
                        name_ref& out) {
  if (pos >= size) return false;
  const std::uint8_t t = data[pos];
  if (t == tag::int16) {
    if (size - pos < 3) return false;
    if (!names.find(zq::load_be16(data + pos + 1), out)) return false;
    pos += 3;
    return true;
  }
  std::size_t width;
  switch (t) {
    case tag::string8:
    case tag::string8_alt:
      width = 1;
      break;
    case tag::string16:
      width = 2;
      break;
    case tag::string32:
      width = 4;
      break;
    default:
      return false;
  }
  value text;
  if (!decode_counted(data, size, pos, width, text)) return false;
  if (text.length == 0 || text.data[text.length - 1] != 0) return false;
  out.text = reinterpret_cast<const char*>(text.data);
  out.length = text.length;
  out.index = 0;
  return true;
}

}  // namespace meta::detail
