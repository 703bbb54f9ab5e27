#include "ir/macro_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "storage/codebase_record.h"
#include "storage/meta_element_handler.h"
#include "storage/meta_reader.h"

namespace redeye {

namespace {

enum class element_kind_t { reference, action, delay, macro, other };

element_kind_t kind_of(std::string_view name) {
  if (name == "reference") return element_kind_t::reference;
  if (name == "action") return element_kind_t::action;
  if (name == "delay") return element_kind_t::delay;
  if (name == "macro") return element_kind_t::macro;
  return element_kind_t::other;
}

// An integer attribute as the unsigned number of its stored width, at most 0xFFFF; nothing for
// a value that is not an integer.
std::optional<std::int32_t> unsigned_number(const meta::value& v) {
  switch (v.type) {
    case meta::type_t::int8:
      return static_cast<std::uint8_t>(v.integer);
    case meta::type_t::int16:
      return static_cast<std::uint16_t>(v.integer);
    case meta::type_t::int32:
    case meta::type_t::int32_write_only:
      return static_cast<std::int32_t>(std::min<std::uint32_t>(static_cast<std::uint32_t>(v.integer), 0xFFFF));
    default:
      return std::nullopt;
  }
}

// A string attribute up to its first zero byte; nothing for a value that is not a string.
std::optional<std::string_view> text_of(const meta::value& v) {
  if (v.type != meta::type_t::string) return std::nullopt;
  return v.length == 0 ? std::string_view() : std::string_view(v.text());
}

class macro_document_handler final : public meta::simple::element_handler {
 public:
  explicit macro_document_handler(const macro_reader::listener& on_item) : on_item_(on_item) {}

  bool malformed() const { return malformed_; }

  zq::result_t start_element(const meta::name_ref& name) override {
    open_element element{kind_of(name.view()), {}, false};
    if (element.kind == element_kind_t::action) element.item.type = macro_item_type_t::action;
    if (element.kind == element_kind_t::delay) {
      element.item.type = macro_item_type_t::delay;
      element.item.time = 0;
    }
    open_.push_back(std::move(element));
    return meta::simple::go_on;
  }

  zq::result_t end_element(const meta::name_ref&) override {
    if (open_.empty()) return meta::simple::go_on;
    const open_element element = std::move(open_.back());
    open_.pop_back();
    switch (element.kind) {
      case element_kind_t::reference:
      case element_kind_t::action:
      case element_kind_t::delay:
        if (on_item_) on_item_(element.item);
        return meta::simple::go_on;
      case element_kind_t::macro:
        return meta::simple::abort_parse;
      case element_kind_t::other:
        break;
    }
    return meta::simple::go_on;
  }

  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    if (open_.empty()) return meta::simple::go_on;
    open_element& element = open_.back();
    const std::string_view key = name.view();
    switch (element.kind) {
      case element_kind_t::reference:
        reference_attribute(element, key, v);
        break;
      case element_kind_t::action:
        if (key == "id") {
          if (const auto text = text_of(v)) element.item.name = *text;
        }
        break;
      case element_kind_t::delay:
        if (key == "ms") {
          if (const auto number = unsigned_number(v)) element.item.time = *number;
        }
        break;
      default:
        break;
    }
    return meta::simple::go_on;
  }

  zq::result_t content(const meta::value&) override { return meta::simple::go_on; }

  zq::result_t error(const meta::meta_exception&) override {
    malformed_ = true;
    return meta::simple::abort_parse;
  }

 private:
  struct open_element {
    element_kind_t kind;
    macro_item item;
    bool names_signal;  // a "signal" attribute was seen; it wins over "macro"
  };

  static void reference_attribute(open_element& element, std::string_view key, const meta::value& v) {
    macro_item& item = element.item;
    if (key == "base") {
      if (const auto text = text_of(v)) item.base = *text;
    } else if (key == "signal") {
      if (const auto text = text_of(v)) {
        item.name = *text;
        element.names_signal = true;
      }
    } else if (key == "macro") {
      if (const auto text = text_of(v); text && !element.names_signal) {
        // The item's name of a macro reference always carries its "$".
        item.name = "$";
        item.name += text->starts_with('$') ? text->substr(1) : *text;
      }
    } else if (key == "repeat") {
      if (const auto number = unsigned_number(v)) item.repeat = *number;
    } else if (key == "duration") {
      if (const auto number = unsigned_number(v)) item.time = *number;
    }
  }

  const macro_reader::listener& on_item_;
  std::vector<open_element> open_;
  bool malformed_ = false;
};

}  // namespace

zq::result_t macro_reader::read(std::span<const std::uint8_t> record) const {
  const xman::codebase_record_info info = xman::classify_codebase_record(record);
  if (info.kind != xman::codebase_record_kind_t::macro) return macro_unreadable;
  const std::size_t document_start = 2 + info.name.size() + 1;

  macro_document_handler handler(on_item_);
  const auto reader = meta::detail::create_reader();
  reader->set_handler(&handler);
  meta::input_buffer input{record.data() + document_start, record.size() - document_start, 0};
  (void)meta::parse(*reader, input);
  return handler.malformed() ? macro_unreadable : zq::rc::ok;
}

zq::result_t read_macro(std::span<const std::uint8_t> record, std::vector<macro_item>& items) {
  std::vector<macro_item> read;
  const macro_reader reader([&read](const macro_item& item) { read.push_back(item); });
  if (const zq::result_t rc = reader.read(record); rc != zq::rc::ok) return rc;
  items = std::move(read);
  return zq::rc::ok;
}

}  // namespace redeye
