// remote::button_loader: reads one "button" or "label" element of a page document into a runtime
// button. It is made the reader's current handler at the element's start and gives control back
// to the service reader at the element's end. Only what changes at run time is taken (rectangle,
// title, action, state); the rest stays in the document and is found again through the fragment
// recorded in the button.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "remote/button.h"
#include "remote/layout_names.h"
#include "remote/screen_fit.h"
#include "storage/meta_element_handler.h"

namespace meta {
class names_table;
namespace detail {
class reader_impl;
}
}  // namespace meta

namespace remote {

class button_loader final : public meta::simple::element_handler {
 public:
  // keys recognise the document's names; names is the table the reader fills from the document
  // (given to the fragments when the document has names). The reader, parent and keys must outlive
  // the loader.
  button_loader(meta::detail::reader_impl& reader, meta::simple::element_handler& parent, const layout_name_keys& keys,
                std::shared_ptr<const meta::names_table> names);

  // Makes the loader the reader's current handler for the element about to be delivered, filling
  // target with the chosen layout's fit.
  void begin(button& target, const screen_fit& fit);

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t raw_element(const meta::name_ref& name, const std::uint8_t* bytes, std::size_t size) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  zq::result_t error(const meta::meta_exception& e) override;

 private:
  meta::detail::reader_impl& reader_;
  meta::simple::element_handler& parent_;
  const layout_name_keys& keys_;
  std::shared_ptr<const meta::names_table> names_;
  button* target_ = nullptr;
  screen_fit fit_;
  std::size_t depth_ = 0;  // elements open inside the loader, the button's own included
};

}  // namespace remote
