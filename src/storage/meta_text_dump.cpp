// The dump half of the text form: the reader checks the document, then a walk over the (now known
// well-formed) bytes prints each item with its exact form.
#include <cstdio>

#include "storage/meta_reader.h"
#include "storage/meta_text.h"
#include "storage/meta_text_syntax.h"
#include "storage/meta_value_decoder.h"

namespace meta {
namespace {

using detail::form_t;

void append_hex(std::string& out, const std::uint8_t* bytes, std::size_t size) {
  static constexpr char digits[] = "0123456789abcdef";
  for (std::size_t i = 0; i < size; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 0x0F];
  }
}

void append_quoted(std::string& out, std::string_view bytes) {
  out += '"';
  for (const char c : bytes) {
    const auto b = static_cast<std::uint8_t>(c);
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\0':
        out += "\\0";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (b >= 0x20 && b <= 0x7E) {
          out += c;
        } else {
          out += "\\x";
          append_hex(out, &b, 1);
        }
    }
  }
  out += '"';
}

// A name's text (without its stored NUL): bare when it can be, else quoted.
void append_name_text(std::string& out, std::string_view text) {
  bool bare = !text.empty();
  for (const char c : text) bare = bare && detail::is_bare_name_char(c);
  if (bare) {
    out += text;
  } else {
    append_quoted(out, text);
  }
}

class dumper {
 public:
  dumper(const std::uint8_t* data, std::size_t size, const names_table& names, std::string& out)
      : data_(data), size_(size), names_(names), out_(out) {}

  bool run() {
    while (pos_ < size_) {
      if (data_[pos_] == tag::stop) {
        out_ += detail::kw_stop;
        out_ += '\n';
        if (pos_ + 1 < size_) {
          out_ += detail::kw_trailing;
          out_ += ' ';
          append_hex(out_, data_ + pos_ + 1, size_ - pos_ - 1);
          out_ += '\n';
        }
        return true;
      }
      if (!element(0)) return false;
    }
    return true;
  }

 private:
  // Recursion depth is bounded by max_depth: the reader has accepted the document.
  bool element(std::size_t depth) {
    if (data_[pos_] != tag::element_start) return false;
    ++pos_;
    indent(depth);
    if (!name()) return false;
    if (pos_ < size_ && data_[pos_] == tag::element_end) {
      ++pos_;
      out_ += " {}\n";
      return true;
    }
    out_ += " {\n";
    while (pos_ < size_ && data_[pos_] == tag::attribute) {
      ++pos_;
      indent(depth + 1);
      if (!name()) return false;
      out_ += " = ";
      if (!value_item()) return false;
    }
    while (pos_ < size_ && data_[pos_] != tag::element_end) {
      if (data_[pos_] == tag::element_start) {
        if (!element(depth + 1)) return false;
      } else {
        indent(depth + 1);
        if (!value_item()) return false;
      }
    }
    if (pos_ >= size_) return false;
    ++pos_;
    indent(depth);
    out_ += "}\n";
    return true;
  }

  bool name() {
    if (pos_ >= size_) return false;
    const std::uint8_t t = data_[pos_];
    name_ref n;
    if (!detail::decode_name(data_, size_, pos_, names_, n)) return false;
    append_name_text(out_, n.view());
    if (n.index != 0) {
      out_ += '[';
      out_ += std::to_string(n.index);
      out_ += ']';
    } else {
      out_ += detail::form_suffix(detail::form_of(t, tag::string8, n.length));
    }
    return true;
  }

  // One value and the end of its line.
  bool value_item() {
    if (pos_ >= size_) return false;
    const std::uint8_t t = data_[pos_];
    value v;
    if (!detail::decode_value(data_, size_, pos_, v)) return false;
    switch (v.type) {
      case type_t::empty:
        out_ += detail::kw_empty;
        break;
      case type_t::int8:
        out_ += detail::kw_int8;
        break;
      case type_t::int16:
        out_ += detail::kw_int16;
        break;
      case type_t::int32_write_only:
      case type_t::int32:
        out_ += detail::kw_int32;
        break;
      case type_t::boolean:
        out_ += detail::kw_bool;
        out_ += v.as_bool() ? " true" : " false";
        break;
      case type_t::binary:
        out_ += detail::kw_binary;
        out_ += detail::form_suffix(detail::form_of(t, tag::binary8, v.length));
        if (v.length != 0) {
          out_ += ' ';
          append_hex(out_, v.data, v.length);
        }
        break;
      case type_t::string:
        out_ += detail::kw_string;
        out_ += detail::form_suffix(detail::form_of(t, tag::string8, v.length));
        out_ += ' ';
        append_quoted(out_, std::string_view(reinterpret_cast<const char*>(v.data), v.length));
        break;
    }
    if (v.type == type_t::int8 || v.type == type_t::int16 || v.type == type_t::int32) {
      out_ += ' ';
      out_ += std::to_string(v.integer);
    }
    out_ += '\n';
    return true;
  }

  void indent(std::size_t depth) { out_.append(depth * 2, ' '); }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  const names_table& names_;
  std::string& out_;
};

}  // namespace

zq::result_t dump(std::span<const std::uint8_t> document, std::string& text) {
  text.clear();
  auto reader = detail::create_reader();
  input_buffer input{document.data(), document.size(), 0};
  if (parse(*reader, input) != 0) return zq::rc::malformed_document;
  dumper walk(document.data(), document.size(), reader->names(), text);
  if (!walk.run()) {
    text.clear();
    return zq::rc::malformed_document;
  }
  return zq::rc::ok;
}

}  // namespace meta
