#include "remote/button_loader.h"

#include <utility>

#include "remote/layout_values.h"
#include "storage/meta_names_table.h"
#include "storage/meta_reader.h"

namespace remote {

button_loader::button_loader(meta::detail::reader_impl& reader, meta::simple::element_handler& parent,
                             const layout_name_keys& keys, std::shared_ptr<const meta::names_table> names)
    : reader_(reader), parent_(parent), keys_(keys), names_(std::move(names)) {}

void button_loader::begin(button& target, const screen_fit& fit) {
  target_ = &target;
  fit_ = fit;
  depth_ = 0;
  reader_.set_handler(this);
}

zq::result_t button_loader::start_element(const meta::name_ref& name) {
  ++depth_;
  if (depth_ > 1) return meta::simple::go_on;
  // The button's own element: a label starts without taps, and the element's bytes are wanted.
  if (keys_.key(name) == layout_name::label) target_->set_interactive(false);
  return meta::simple::raw_bytes;
}

zq::result_t button_loader::raw_element(const meta::name_ref&, const std::uint8_t* bytes, std::size_t size) {
  target_->fragment.bytes = bytes;
  target_->fragment.size = size;
  // A document that writes its names inline leaves its table empty: the fragment needs none.
  target_->fragment.names = names_ && names_->size() != 0 ? names_ : nullptr;
  target_->fragment.fit = fit_;
  return meta::simple::go_on;
}

zq::result_t button_loader::end_element(const meta::name_ref&) {
  if (depth_ > 0) --depth_;
  if (depth_ == 0) reader_.set_handler(&parent_);
  return meta::simple::go_on;
}

zq::result_t button_loader::attribute(const meta::name_ref& name, const meta::value& v) {
  const layout_name key = keys_.key(name);
  switch (key) {
    case layout_name::txt:
      if (auto text = text_of(v)) target_->title = std::move(*text);
      break;
    case layout_name::id:
      if (auto text = text_of(v)) target_->action = std::move(*text);
      break;
    case layout_name::state:
      if (auto n = integer_of(v)) target_->state = *n;
      break;
    case layout_name::x:
    case layout_name::y:
    case layout_name::w:
    case layout_name::h: {
      const auto n = integer_of(v);
      if (!n) break;
      mif::rectangle r = target_->rect();
      const std::int32_t scaled = scale_to_screen(fit_, *n);
      if (key == layout_name::x) r.x = scaled;
      if (key == layout_name::y) r.y = scaled;
      if (key == layout_name::w) r.width = scaled;
      if (key == layout_name::h) r.height = scaled;
      target_->set_rect(r);
      break;
    }
    default:
      break;
  }
  return meta::simple::go_on;
}

zq::result_t button_loader::content(const meta::value&) { return meta::simple::go_on; }

// A malformed document: the service reader reports the failure, so control simply goes back to it.
zq::result_t button_loader::error(const meta::meta_exception& e) {
  reader_.set_handler(&parent_);
  return parent_.error(e);
}

}  // namespace remote
