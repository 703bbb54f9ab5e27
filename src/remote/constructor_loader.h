// remote::constructor_loader: reads a codebase's layout document into a layout_set, every layout
// with every page and button in full and in design pixels (no layout choice, no scaling), for the
// editor and the learn form.
#pragma once

#include <cstddef>

#include "remote/layout_names.h"
#include "remote/layout_set.h"
#include "storage/meta_element_handler.h"

namespace remote {

class constructor_loader final : public meta::simple::element_handler {
 public:
  explicit constructor_loader(layout_set& out) : out_(out) {}

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  zq::result_t error(const meta::meta_exception& e) override;

 private:
  enum class part_t { none, button, title, icon, action };

  layout_entry& last_layout();
  layout_page& last_page();
  void button_attribute(layout_name key, const meta::value& v);

  layout_set& out_;
  // The element whose attributes are being delivered (attributes follow their element's start).
  layout_name current_ = layout_name::other;
  part_t part_ = part_t::none;
  std::size_t depth_ = 0;
  std::size_t button_depth_ = 0;  // depth of the open button element, 0 when none is open
};

}  // namespace remote
