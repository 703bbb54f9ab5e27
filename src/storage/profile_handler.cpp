#include "storage/profile_handler.h"

#include "storage/meta_reader.h"

namespace xman {

profile_handler::~profile_handler() = default;

zq::result_t profile_handler::start_element(const meta::name_ref& name) {
  return ladder_handler::start_element(name);
}

zq::result_t profile_handler::end_element(const meta::name_ref& name) {
  if (!is_own(name)) return meta::simple::go_on;
  finish();
  if (!root_) return ladder_handler::end_element(name);  // deletes this handler
  reader().set_handler(parent());
  return meta::simple::go_on;
}

zq::result_t profile_handler::attribute(const meta::name_ref&, const meta::value&) { return meta::simple::go_on; }

zq::result_t profile_handler::content(const meta::value&) { return meta::simple::go_on; }

zq::result_t profile_handler::error(const meta::meta_exception& e) {
  if (!root_) return ladder_handler::error(e);  // deletes this handler
  reader().set_handler(nullptr);
  return meta::simple::abort_parse;
}

void profile_handler::finish() {}

void profile_handler::attach_child(profile_handler& parent) {
  root_ = false;
  bind(parent.reader(), &parent);
  attach();
}

void profile_handler::attach_root(meta::detail::reader_impl& reader) {
  root_ = true;
  bind(reader, nullptr);
  attach();
}

void profile_handler::write_to(meta::simple::element_handler&) const {}

zq::result_t profile_handler::hand_to(profile_handler* child) {
  child->attach_child(*this);
  return meta::simple::again;
}

}  // namespace xman
