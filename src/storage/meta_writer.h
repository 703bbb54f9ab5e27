// The document writer. A serialiser drives a meta::simple::writer through the same event interface
// a reader uses:
//
//   meta::omemstream out;
//   {
//     meta::simple::writer w(out);
//     w.set_names_table(&table);        // optional: names written as 16-bit indices
//     w.write_start("room");
//     w.write_attribute("name", meta::value::of_text("Default Room"));
//     w.write_end();
//   }
//   use out.data(), out.size()          // check out.failed() before storing the bytes
//
// Element start: 0x01 and the name. With a names table the name is written as its index (0x22 and
// two bytes; a new name is added to the table); without one, or when the table is full, as a string
// with its NUL. Attribute: 0x03, the name, the value. End: 0x02. Values by type: empty writes
// nothing as content and 0x20 as an attribute value (an attribute needs a value to read back);
// int8 0x21 + 1 byte; int16 0x22 + 2; int32 (types 3 and 4) 0x23 + 4; boolean 0x24 true / 0x25
// false; binary 0x26/0x27/0x28 and string 0x2A/0x2B/0x2C with a 1/2/4-byte length (0..254,
// 255..65534, 65535 and more), then the bytes. A string value should be empty or end in NUL, as a
// reader accepts nothing else.
#pragma once

#include <cstddef>
#include <cstdint>

#include "storage/meta_element_handler.h"
#include "storage/meta_names_table.h"
#include "storage/meta_obinstream.h"

namespace meta {

namespace detail {

// Encodes events as bytes on a stream (not owned). The stream's results are not looked at: an
// omemstream records its own failure.
class writer_impl {
 public:
  explicit writer_impl(obinstream& out) : out_(out) {}
  virtual ~writer_impl();
  writer_impl(const writer_impl&) = delete;
  writer_impl& operator=(const writer_impl&) = delete;

  names_table* names() const { return names_; }
  void set_names(names_table* names) { names_ = names; }

  void write_start(const char* name);
  void write_end();
  void write_attribute(const char* name, const value& v);
  void write_content(const value& v);

 private:
  void write_name(const char* name);
  void write_value(const value& v);
  void write_counted(std::uint8_t short_tag, const std::uint8_t* data, std::uint32_t length);

  obinstream& out_;
  names_table* names_ = nullptr;
};

}  // namespace detail

namespace simple {

class writer final : public element_handler {
 public:
  // The stream (and a names table, when set) must outlive the writer.
  explicit writer(obinstream& out);
  ~writer() override;

  // A table that receives the names (indices 1, 2, 3 ... in order of first use); null writes names
  // inline.
  void set_names_table(names_table* names) { impl_.set_names(names); }
  names_table* names_table_in_use() const { return impl_.names(); }

  // Handler slots: start and end write the element bytes, attribute and content their bytes,
  // raw_element writes nothing, error returns abort_parse. Names are taken by their text.
  zq::result_t start_element(const name_ref& name) override;
  zq::result_t raw_element(const name_ref& name, const std::uint8_t* bytes, std::size_t size) override;
  zq::result_t end_element(const name_ref& name) override;
  zq::result_t attribute(const name_ref& name, const value& v) override;
  zq::result_t content(const value& v) override;
  zq::result_t error(const meta_exception& e) override;

  // The same for callers that hold plain texts.
  void write_start(const char* name) { impl_.write_start(name); }
  void write_end() { impl_.write_end(); }
  void write_attribute(const char* name, const value& v) { impl_.write_attribute(name, v); }
  void write_content(const value& v) { impl_.write_content(v); }

 private:
  detail::writer_impl impl_;
};

}  // namespace simple
}  // namespace meta
