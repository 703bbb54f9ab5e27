// Test helpers for meta documents: a handler that records every event as one compact text, and a
// builder for documents written byte by byte.
//
// Event text, events separated by spaces:
//   +name / +name#3     start (#index for indexed names)      -name   end
//   @name=VALUE         attribute                            VALUE   content
//   raw:name:N          raw_element with N bytes             !MESSAGE error
// VALUE: e, i8:N, i16:N, i32:N, b:1 / b:0, bin:HEX, s:TEXT (the text without its NUL; \0 for any
// other NUL byte).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "storage/meta_element_handler.h"

namespace zqtest {

class meta_event_log : public meta::simple::element_handler {
 public:
  // Results to return for particular events (by their text); everything else gets 0.
  std::map<std::string, zq::result_t> replies;
  std::string text;

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t raw_element(const meta::name_ref& name, const std::uint8_t* bytes, std::size_t size) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  zq::result_t error(const meta::meta_exception& e) override;

  static std::string describe(const meta::name_ref& name);
  static std::string describe(const meta::value& v);

 protected:
  zq::result_t record(const std::string& event);
};

// The outcome of parsing a whole document with a fresh reader and an event log.
struct parsed_events {
  zq::result_t result = 0;
  std::string events;
};
// Parses an exact-size heap copy of doc (so that a read past the end is a read past the
// allocation), the log answering with these replies.
parsed_events parse_events(const std::vector<std::uint8_t>& doc,
                           const std::map<std::string, zq::result_t>& replies = {});

// Document bytes spelled out in a test.
class meta_bytes {
 public:
  meta_bytes() = default;
  meta_bytes(std::initializer_list<int> raw) { add(raw); }

  meta_bytes& add(std::initializer_list<int> raw);
  // A string value with the 1-byte form: 0x2A, length, the text, NUL.
  meta_bytes& str(const std::string& text);
  // 0x01 and an inline name.
  meta_bytes& open(const std::string& name);
  // 0x01 and an indexed name.
  meta_bytes& open(std::uint16_t index);
  meta_bytes& close() { return add({0x02}); }

  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace zqtest
