#include "storage/meta_namespace_loader.h"

#include "storage/meta_reader.h"

namespace meta {

namespace_loader::namespace_loader(detail::reader_impl& reader, simple::element_handler* previous,
                                   names_table& names)
    : reader_(reader), previous_(previous), names_(names) {}

zq::result_t namespace_loader::start_element(const name_ref&) { return simple::go_on; }

zq::result_t namespace_loader::raw_element(const name_ref&, const std::uint8_t*, std::size_t) {
  return simple::go_on;
}

zq::result_t namespace_loader::attribute(const name_ref&, const value&) { return simple::go_on; }

zq::result_t namespace_loader::content(const value& v) {
  if (v.type == type_t::string) names_.append(reinterpret_cast<const char*>(v.data), v.length);
  return simple::go_on;
}

zq::result_t namespace_loader::end_element(const name_ref&) {
  leave();
  return simple::go_on;
}

zq::result_t namespace_loader::error(const meta_exception& e) {
  simple::element_handler* previous = previous_;
  leave();
  if (previous != nullptr) previous->error(e);
  return simple::go_on;
}

// Hands the reader back to the previous handler and deletes this loader.
void namespace_loader::leave() {
  reader_.set_handler(previous_);
  delete this;
}

}  // namespace meta
