// meta::namespace_loader: the handler that reads a document's "?names" element into a names table.
// The reader installs it when the first element of a parse is "?names", with the current handler
// as its previous handler; it makes the previous handler current again and deletes itself when the
// element ends or when an error reaches it. It is always created with new.
#pragma once

#include "storage/meta_element_handler.h"
#include "storage/meta_names_table.h"

namespace meta {

namespace detail {
class reader_impl;
}

class namespace_loader final : public simple::element_handler {
 public:
  namespace_loader(detail::reader_impl& reader, simple::element_handler* previous, names_table& names);

  zq::result_t start_element(const name_ref& name) override;
  zq::result_t raw_element(const name_ref& name, const std::uint8_t* bytes, std::size_t size) override;
  zq::result_t end_element(const name_ref& name) override;
  zq::result_t attribute(const name_ref& name, const value& v) override;
  // Appends the string to the names table.
  zq::result_t content(const value& v) override;
  // Forwards to the previous handler (returning 0 when there is none), makes it current again and
  // deletes the loader.
  zq::result_t error(const meta_exception& e) override;

 private:
  void leave();

  detail::reader_impl& reader_;
  simple::element_handler* previous_;
  names_table& names_;
};

}  // namespace meta
