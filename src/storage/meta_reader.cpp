#include "storage/meta_reader.h"

#include <cstring>

#include "storage/meta_exception.h"
#include "storage/meta_namespace_loader.h"
#include "storage/meta_value_decoder.h"

namespace meta {
namespace detail {

namespace {

bool is_value_tag(std::uint8_t b) { return b >= tag::value_first && b <= tag::value_last; }

bool is_names_element(const name_ref& name) {
  return name.length == names_element_length && std::memcmp(name.text, names_element, names_element_length) == 0;
}

}  // namespace

std::unique_ptr<reader_impl> create_reader() { return std::unique_ptr<reader_impl>(new reader_impl()); }

reader_impl::reader_impl() = default;
reader_impl::~reader_impl() = default;

zq::result_t reader_impl::parse(input_buffer& input) {
  first_element_ = true;
  skip_ = false;
  result_ = 0;
  own_.clear();
  const std::uint8_t* const data = input.data;
  const std::size_t size = data == nullptr ? 0 : input.size;
  std::size_t pos = input.position;
  while (pos < size && data[pos] != tag::stop) {
    if (read_element(data, size, pos) != outcome_t::ok) {
      result_ = -1;
      break;
    }
  }
  input.position = pos;
  return result_;
}

reader_impl::outcome_t reader_impl::format_error() {
  result_ = -1;
  if (handler_ != nullptr) handler_->error(parse_exception());
  return outcome_t::abort;
}

// start_element on the current handler, again while it answers `again`, then raw_element when it
// answers raw_bytes.
zq::result_t reader_impl::deliver_start(const name_ref& name, const std::uint8_t* bytes, std::size_t size) {
  zq::result_t r = handler_->start_element(name);
  while (r == simple::again) {
    if (handler_ == nullptr) return simple::go_on;
    r = handler_->start_element(name);
  }
  if (r == simple::raw_bytes) r = handler_ != nullptr ? handler_->raw_element(name, bytes, size) : simple::go_on;
  return r;
}

// Reads the element at data[pos] with everything nested in it. Nesting is walked with the levels_
// array rather than recursion, so hostile depth costs no stack and is bounded by max_depth.
reader_impl::outcome_t reader_impl::read_element(const std::uint8_t* data, std::size_t size, std::size_t& position) {
  names_table& names = this->names();
  // A local position stays in a register; every exit stores it back.
  std::size_t pos = position;
  const auto leave = [&](outcome_t outcome) {
    position = pos;
    return outcome;
  };
  std::size_t depth = 0;
  bool opening = true;
  for (;;) {
    if (opening) {
      // Element start: 0x01 and the name.
      const std::size_t start = pos;
      if (data[pos] != tag::element_start) return leave(format_error());
      ++pos;
      level& current = levels_[depth];
      if (!decode_name(data, size, pos, names, current.name)) return leave(format_error());
      current.set_skip = false;
      if (first_element_) {
        first_element_ = false;
        if (is_names_element(current.name)) {
          const outcome_t outcome = read_names_element(data, size, pos, start, current.name);
          return leave(outcome);
        }
      }
      zq::result_t r = handler_ != nullptr && !skip_ ? deliver_start(current.name, data + start, size - start)
                                                     : simple::go_on;
      // Attributes.
      for (;;) {
        if (r == simple::abort_parse) return leave(outcome_t::abort);
        if (r == simple::skip_element) {
          skip_ = true;
          levels_[depth].set_skip = true;
        }
        if (pos >= size || data[pos] != tag::attribute) break;
        ++pos;
        name_ref name;
        if (!decode_name(data, size, pos, names, name)) return leave(format_error());
        value v;
        if (pos >= size || !decode_value(data, size, pos, v)) return leave(format_error());
        r = handler_ != nullptr && !skip_ ? handler_->attribute(name, v) : simple::go_on;
      }
    }
    // Content: values and nested elements.
    bool child = false;
    while (pos < size) {
      const std::uint8_t b = data[pos];
      if (b == tag::element_start) {
        child = true;
        break;
      }
      if (!is_value_tag(b)) break;
      value v;
      if (!decode_value(data, size, pos, v)) return leave(format_error());
      if (handler_ != nullptr && !skip_) {
        const zq::result_t r = handler_->content(v);
        if (r == simple::abort_parse) return leave(outcome_t::abort);
        if (r == simple::skip_element) {
          skip_ = true;
          levels_[depth].set_skip = true;
        }
      }
    }
    if (child) {
      if (depth + 1 >= max_depth) return leave(format_error());
      ++depth;
      opening = true;
      continue;
    }
    // Element end.
    if (pos >= size || data[pos] != tag::element_end) return leave(format_error());
    ++pos;
    if (skip_) {
      if (levels_[depth].set_skip) skip_ = false;
    } else if (handler_ != nullptr) {
      if (handler_->end_element(levels_[depth].name) == simple::abort_parse) return leave(outcome_t::abort);
    }
    if (depth == 0) return leave(outcome_t::ok);
    --depth;
    opening = false;
  }
}

// The "?names" element (first element of a parse): a namespace loader becomes the current handler
// and receives it like any element, but only string values ending in NUL may stand inside.
reader_impl::outcome_t reader_impl::read_names_element(const std::uint8_t* data, std::size_t size, std::size_t& pos,
                                                       std::size_t start, const name_ref& name) {
  names_table& names = this->names();
  handler_ = new namespace_loader(*this, handler_, names);
  zq::result_t r = deliver_start(name, data + start, size - start);
  if (r == simple::abort_parse) return outcome_t::abort;
  bool set_skip = false;
  if (r == simple::skip_element) skip_ = set_skip = true;
  for (;;) {
    if (pos >= size) return format_error();
    if (data[pos] == tag::element_end) break;
    if (!is_value_tag(data[pos])) return format_error();  // attributes and child elements included
    value v;
    if (!decode_value(data, size, pos, v)) return format_error();
    if (v.type != type_t::string || v.length == 0 || names.full()) return format_error();
    if (handler_ != nullptr && !skip_) {
      r = handler_->content(v);
      if (r == simple::abort_parse) return outcome_t::abort;
      if (r == simple::skip_element) skip_ = set_skip = true;
    }
  }
  ++pos;
  if (skip_) {
    if (set_skip) skip_ = false;
  } else if (handler_ != nullptr) {
    if (handler_->end_element(name) == simple::abort_parse) return outcome_t::abort;
  }
  return outcome_t::ok;
}

}  // namespace detail

zq::result_t parse(detail::reader_impl& reader, input_buffer& input) { return reader.parse(input); }

}  // namespace meta
