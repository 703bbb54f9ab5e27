#include "storage/meta_writer.h"

#include <cstring>

#include "base/byte_order.h"
#include "storage/meta_format.h"

namespace meta {
namespace detail {

writer_impl::~writer_impl() = default;

void writer_impl::write_start(const char* name) {
  out_.put(tag::element_start);
  write_name(name);
}

void writer_impl::write_end() { out_.put(tag::element_end); }

void writer_impl::write_attribute(const char* name, const value& v) {
  out_.put(tag::attribute);
  write_name(name);
  if (v.type == type_t::empty) {
    out_.put(tag::empty);
  } else {
    write_value(v);
  }
}

void writer_impl::write_content(const value& v) { write_value(v); }

void writer_impl::write_name(const char* name) {
  const std::size_t length = std::strlen(name);
  if (names_ != nullptr) {
    if (const std::uint16_t index = names_->add(std::string_view(name, length)); index != 0) {
      std::uint8_t bytes[3] = {tag::int16, 0, 0};
      zq::store_be16(bytes + 1, index);
      out_.write(bytes, sizeof bytes);
      return;
    }
  }
  write_counted(tag::string8, reinterpret_cast<const std::uint8_t*>(name), static_cast<std::uint32_t>(length + 1));
}

void writer_impl::write_value(const value& v) {
  std::uint8_t bytes[5];
  switch (v.type) {
    case type_t::empty:
      return;
    case type_t::int8:
      bytes[0] = tag::int8;
      bytes[1] = static_cast<std::uint8_t>(v.integer);
      out_.write(bytes, 2);
      return;
    case type_t::int16:
      bytes[0] = tag::int16;
      zq::store_be16(bytes + 1, static_cast<std::uint16_t>(v.integer));
      out_.write(bytes, 3);
      return;
    case type_t::int32_write_only:
    case type_t::int32:
      bytes[0] = tag::int32;
      zq::store_be32(bytes + 1, static_cast<std::uint32_t>(v.integer));
      out_.write(bytes, 5);
      return;
    case type_t::boolean:
      out_.put(v.integer != 0 ? tag::bool_true : tag::bool_false);
      return;
    case type_t::binary:
      write_counted(tag::binary8, v.data, v.length);
      return;
    case type_t::string:
      write_counted(tag::string8, v.data, v.length);
      return;
  }
}

// The tag of the 1-byte form, or the next one or two for the 2- and 4-byte forms, the length and
// the bytes.
void writer_impl::write_counted(std::uint8_t short_tag, const std::uint8_t* data, std::uint32_t length) {
  std::uint8_t head[5];
  std::size_t head_size;
  switch (length_width(length)) {
    case 1:
      head[0] = short_tag;
      head[1] = static_cast<std::uint8_t>(length);
      head_size = 2;
      break;
    case 2:
      head[0] = static_cast<std::uint8_t>(short_tag + 1);
      zq::store_be16(head + 1, static_cast<std::uint16_t>(length));
      head_size = 3;
      break;
    default:
      head[0] = static_cast<std::uint8_t>(short_tag + 2);
      zq::store_be32(head + 1, length);
      head_size = 5;
      break;
  }
  out_.write(head, head_size);
  if (length != 0) out_.write(data, length);
}

}  // namespace detail

namespace simple {

writer::writer(obinstream& out) : impl_(out) {}
writer::~writer() = default;

zq::result_t writer::start_element(const name_ref& name) {
  impl_.write_start(name.text);
  return go_on;
}

zq::result_t writer::raw_element(const name_ref&, const std::uint8_t*, std::size_t) { return go_on; }

zq::result_t writer::end_element(const name_ref&) {
  impl_.write_end();
  return go_on;
}

zq::result_t writer::attribute(const name_ref& name, const value& v) {
  impl_.write_attribute(name.text, v);
  return go_on;
}

zq::result_t writer::content(const value& v) {
  impl_.write_content(v);
  return go_on;
}

zq::result_t writer::error(const meta_exception&) { return abort_parse; }

}  // namespace simple
}  // namespace meta
