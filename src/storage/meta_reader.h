// The document reader: walks a document once and delivers its events to the current handler,
// copying nothing (names and values point into the input or into the names table).
//
// Usage:
//   auto reader = meta::detail::create_reader();
//   reader->set_handler(&my_handler);           // or a ladder handler's attach()
//   reader->set_names_table(&shared_table);     // optional
//   meta::input_buffer input{bytes, size};
//   if (meta::parse(*reader, input) != 0) ...   // malformed or aborted
//
// Malformed input is reported once through the current handler's error() with a
// meta::parse_exception, and parse returns -1. Malformed means: a top-level byte other than 0x01 or
// 0xFF; a name that is neither a string ending in NUL nor an index 1..size of the names table; a
// value with an unknown tag (0x29, 0x2D..0x33, 0x35..0x37) or a payload running past the end; a
// string value that is neither empty nor ends in NUL (so every string delivered is a text); a byte
// 0x03 after the first content item; a missing end byte 0x02; elements nested deeper than
// max_depth; and in the "?names" element any attribute, child element, or value that is not a
// string ending in NUL, or more than max_names entries. The 4-byte length forms 0x28 and 0x2C are
// read like the others, so everything the writer produces reads back.
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "base/result.h"
#include "storage/meta_element_handler.h"
#include "storage/meta_format.h"
#include "storage/meta_input_buffer.h"
#include "storage/meta_names_table.h"

namespace meta {

namespace detail {

class reader_impl;
// A new reader: no handler, no external names table, an empty own names table.
std::unique_ptr<reader_impl> create_reader();

class reader_impl {
 public:
  virtual ~reader_impl();
  reader_impl(const reader_impl&) = delete;
  reader_impl& operator=(const reader_impl&) = delete;

  // The handler that receives the next event; null reads the document for form only.
  simple::element_handler* handler() const { return handler_; }
  void set_handler(simple::element_handler* handler) { handler_ = handler; }

  // A names table owned by the caller, used instead of the reader's own; null returns to the own.
  void set_names_table(names_table* table) { external_ = table; }
  // The names table in use: the external one when set, else the reader's own, which each parse
  // refills from the document's "?names" element.
  names_table& names() { return external_ != nullptr ? *external_ : own_; }
  const names_table& names() const { return external_ != nullptr ? *external_ : own_; }

  // Parses from input.position; leaves the position where reading stopped. 0, or -1 after an abort
  // or a format error.
  zq::result_t parse(input_buffer& input);

 private:
  friend std::unique_ptr<reader_impl> create_reader();
  reader_impl();

  enum class outcome_t { ok, abort };
  struct level {
    name_ref name;
    bool set_skip;  // this element set the skip flag
  };

  outcome_t read_element(const std::uint8_t* data, std::size_t size, std::size_t& pos);
  outcome_t read_names_element(const std::uint8_t* data, std::size_t size, std::size_t& pos, std::size_t start,
                               const name_ref& name);
  zq::result_t deliver_start(const name_ref& name, const std::uint8_t* bytes, std::size_t size);
  outcome_t format_error();

  bool first_element_ = true;
  bool skip_ = false;
  zq::result_t result_ = 0;
  names_table* external_ = nullptr;
  names_table own_;
  simple::element_handler* handler_ = nullptr;
  std::array<level, max_depth> levels_{};
};

}  // namespace detail

// Parses input with reader: 0, or -1 on abort or format error.
zq::result_t parse(detail::reader_impl& reader, input_buffer& input);

}  // namespace meta
