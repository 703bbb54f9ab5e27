#include "storage/meta_ladder_handler.h"

#include <cstring>

#include "storage/meta_reader.h"

namespace meta::simple {

ladder_handler::ladder_handler(detail::reader_impl& reader, element_handler* parent)
    : reader_(&reader), parent_(parent) {}

ladder_handler::~ladder_handler() = default;

void ladder_handler::attach() { reader_->set_handler(this); }

zq::result_t ladder_handler::start_element(const name_ref& name) {
  if (own_name_.empty()) own_name_ = meta::string::copy(name.text);
  return go_on;
}

bool ladder_handler::is_own(const name_ref& name) const {
  const char* own = own_name_.data();
  return own == nullptr || name.text == nullptr ? own == name.text : std::strcmp(own, name.text) == 0;
}

zq::result_t ladder_handler::end_element(const name_ref& name) {
  if (is_own(name)) {
    reader_->set_handler(parent_);
    delete this;
  }
  return go_on;
}

zq::result_t ladder_handler::error(const meta_exception& e) {
  element_handler* parent = parent_;
  reader_->set_handler(parent);
  delete this;
  return parent != nullptr ? parent->error(e) : abort_parse;
}

}  // namespace meta::simple
