#include "storage/assignment_loader.h"

#include <string_view>

namespace outworld {
namespace {

// A text value up to its first NUL.
std::string text_of(const meta::value& v) {
  const std::string_view text = v.text_view();
  return std::string(text.substr(0, text.find('\0')));
}

}  // namespace

assignment_loader::assignment_loader(meta::detail::reader_impl& reader, meta::simple::element_handler* parent,
                                     assignment_table& table)
    : ladder_handler(reader, parent), table_(table) {}

zq::result_t assignment_loader::take_over(meta::detail::reader_impl& reader, meta::simple::element_handler* parent,
                                          assignment_table& table) {
  (new assignment_loader(reader, parent, table))->attach();
  return meta::simple::again;
}

zq::result_t assignment_loader::start_element(const meta::name_ref& name) {
  if (started_) {
    ++depth_;
    return meta::simple::go_on;
  }
  started_ = true;
  table_.clear();
  return ladder_handler::start_element(name);
}

zq::result_t assignment_loader::end_element(const meta::name_ref& name) {
  if (depth_ > 0) {
    --depth_;
    return meta::simple::go_on;
  }
  return ladder_handler::end_element(name);  // deletes this
}

zq::result_t assignment_loader::attribute(const meta::name_ref& name, const meta::value& v) {
  const std::string_view attribute = name.view();
  const bool is_text = v.type == meta::type_t::string;
  if (attribute == "id") {
    has_key_ = is_text;
    key_ = is_text ? text_of(v) : std::string();
    return meta::simple::go_on;
  }
  if (!has_key_ || !is_text) return meta::simple::go_on;
  if (attribute == "remote") {
    table_[key_].codebase = text_of(v);
  } else if (attribute == "signal") {
    table_[key_].command = text_of(v);
  } else if (attribute == "command") {
    assignment& entry = table_[key_];
    entry.codebase = action_codebase;
    entry.command = text_of(v);
  }
  return meta::simple::go_on;
}

zq::result_t assignment_loader::content(const meta::value&) { return meta::simple::go_on; }

}  // namespace outworld
