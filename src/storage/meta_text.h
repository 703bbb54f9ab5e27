// The text form of meta documents: a line-based transcript that compiles back to the same bytes.
//
//   # a comment (outside quotes, to the end of the line)
//   ?names {                      the names table, when the document has one: just its first element
//     string "page\0"
//     string "x\0"
//   }
//   page[1] {                     an element with an indexed name: text and [index]
//     x[2] = int16 10             an attribute: name = value
//     label = string "Power\0"    an inline name is its text alone
//     int8 -3                     a content value
//     child {}                    an element without attributes or content
//   }
//   stop                          a 0xFF byte ending the document (only if the document has one)
//   trailing 0a0b                 bytes after it, which readers ignore
//
// One item per line; indentation is free on input and two spaces per level on output.
//
// Names: a bare word (letters, digits and _ . - ? $ @ : + ! ~ * % & ^ , ; < > |) or a quoted text.
// The stored terminating NUL of a name is implied: "room" is stored as room + NUL. "[n]" writes the
// name as index n of the names table, whose entry must hold the same text.
//
// Values: `empty`, `int8 N`, `int16 N`, `int32 N` (decimal, or 0x hex; a negative number or up to
// the unsigned maximum of the width), `bool true|false`, `binary 0a0b...` (hex, spaces allowed,
// nothing for no bytes), `string "..."`. In quoted texts \" \\ \0 \n \r \t and \xHH are escapes;
// other bytes from 0x20 to 0x7E stand for themselves. A string's stored NUL is shown as \0; when a
// non-empty string written by hand does not end in \0, one is added, and "" is the string of length
// 0 (the reader accepts only those two kinds of strings).
//
// Length forms: binary and string values and inline names take the form the writer chooses for
// their length (1-byte length up to 254, 2-byte up to 65534, else 4-byte). A different form is
// written as a suffix: /8, /16 or /32 for the width of the length, /x34 for the tag 0x34 (a string
// with a 1-byte length that the writer never produces), e.g. `string/16 "a\0"`, `"room"/x34 {`.
// With these, every document the reader accepts has a text that compiles back to the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace meta {

// The text form of a document: 0, or zq::rc::malformed_document (text empty) when the reader does
// not accept the bytes.
[[nodiscard]] zq::result_t dump(std::span<const std::uint8_t> document, std::string& text);

struct compile_options {
  // Number every name without an explicit index or form in order of first use and put the
  // "?names" element first (the text may then hold no names table and no indices of its own).
  bool index_names = false;
};

struct text_error {
  std::size_t line = 0;  // 1-based
  std::string message;
};

// The document a text describes: 0, or zq::rc::malformed_document with error filled (document
// empty). The bytes always read back with the reader.
[[nodiscard]] zq::result_t compile(std::string_view text, const compile_options& options,
                                   std::vector<std::uint8_t>& document, text_error& error);

}  // namespace meta
