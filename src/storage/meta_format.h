// The bytes of the meta document format and its limits.
//
// A document is a sequence of elements, ended by the end of the input or by a 0xFF byte where the
// next element would begin. An element is 0x01, a name, attributes (0x03, a name, a value), content
// items (values or nested elements) and 0x02. A name is a string value (its text, ending in NUL)
// or a 16-bit integer value (a 1-based index into the document's names table). Multi-byte integers
// are big-endian.
//
// Value tags:
//   0x20 empty          0x21 int8 (1 byte)     0x22 int16 (2)     0x23 int32 (4)
//   0x24 true           0x25 false
//   0x26 / 0x27 / 0x28  binary with a 1- / 2- / 4-byte length, then the bytes
//   0x2A / 0x2B / 0x2C  string with a 1- / 2- / 4-byte length, then the bytes
//   0x34                string with a 1-byte length (read only; never written)
// Tags 0x29, 0x2D..0x33 and 0x35..0x37 lie in the value range but mean nothing: malformed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace meta {

namespace tag {
inline constexpr std::uint8_t element_start = 0x01;
inline constexpr std::uint8_t element_end = 0x02;
inline constexpr std::uint8_t attribute = 0x03;
inline constexpr std::uint8_t stop = 0xFF;

inline constexpr std::uint8_t empty = 0x20;
inline constexpr std::uint8_t int8 = 0x21;
inline constexpr std::uint8_t int16 = 0x22;
inline constexpr std::uint8_t int32 = 0x23;
inline constexpr std::uint8_t bool_true = 0x24;
inline constexpr std::uint8_t bool_false = 0x25;
inline constexpr std::uint8_t binary8 = 0x26;
inline constexpr std::uint8_t binary16 = 0x27;
inline constexpr std::uint8_t binary32 = 0x28;
inline constexpr std::uint8_t string8 = 0x2A;
inline constexpr std::uint8_t string16 = 0x2B;
inline constexpr std::uint8_t string32 = 0x2C;
inline constexpr std::uint8_t string8_alt = 0x34;

// The range of bytes that begin a content value.
inline constexpr std::uint8_t value_first = 0x20;
inline constexpr std::uint8_t value_last = 0x37;
}  // namespace tag

// Lengths up to this use the 1-byte form, up to long_form_min - 1 the 2-byte form, the rest the
// 4-byte form (255 already takes two bytes).
inline constexpr std::uint32_t short_form_max = 254;
inline constexpr std::uint32_t long_form_min = 65535;

// The number of bytes of the length prefix the writer uses for a payload of this length.
constexpr std::size_t length_width(std::uint32_t length) {
  return length <= short_form_max ? 1 : length < long_form_min ? 2 : 4;
}

// A names table holds at most this many names (indices 1..65535).
inline constexpr std::size_t max_names = 65535;

// Elements nest at most this deep (a top-level element is at depth 1). A deeper document is
// malformed: the limit keeps hostile input from exhausting memory, and no document of the system
// comes near it.
inline constexpr std::size_t max_depth = 256;

// The name of the element that carries a document's names table; it counts only as the first
// element of a parse. Its stored form is these 6 characters and a NUL.
inline constexpr char names_element[] = "?names";
inline constexpr std::uint32_t names_element_length = 7;

}  // namespace meta
