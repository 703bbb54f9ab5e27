// remote::proxy_fragment_loader: reads a button's element again from its fragment (the bytes from
// the element's start to the end of its document) into a full button_record, at every draw. The
// rectangle is not taken from the document (the live one of the runtime button counts); the title
// and icon offsets are scaled to the screen with the fragment's fit. Reading ends with the
// element's end, before whatever follows it in the document.
#pragma once

#include <cstddef>

#include "remote/button_record.h"
#include "remote/layout_names.h"
#include "remote/screen_fit.h"
#include "storage/meta_element_handler.h"

namespace remote {

class proxy_fragment_loader final : public meta::simple::element_handler {
 public:
  proxy_fragment_loader(button_record& out, const screen_fit& fit) : out_(out), fit_(fit) {}

  // True once the button's element has ended: the reader was stopped on purpose.
  bool finished() const { return finished_; }

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  zq::result_t error(const meta::meta_exception& e) override;

 private:
  enum class part_t { button, title, icon, other };

  button_record& out_;
  screen_fit fit_;
  part_t part_ = part_t::button;
  std::size_t depth_ = 0;
  bool finished_ = false;
};

}  // namespace remote
