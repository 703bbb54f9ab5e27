#include "remote/proxy_fragment_loader.h"

#include <utility>

#include "remote/layout_values.h"

namespace remote {

zq::result_t proxy_fragment_loader::start_element(const meta::name_ref& name) {
  ++depth_;
  switch (layout_name_of(name.view())) {
    case layout_name::button:
      out_.is_button = 1;
      part_ = part_t::button;
      break;
    case layout_name::label:
      out_.is_button = 0;
      part_ = part_t::button;
      break;
    case layout_name::title:
      part_ = part_t::title;
      break;
    case layout_name::icon:
      part_ = part_t::icon;
      break;
    default:
      part_ = part_t::other;
      break;
  }
  return meta::simple::go_on;
}

zq::result_t proxy_fragment_loader::end_element(const meta::name_ref&) {
  if (depth_ > 0) --depth_;
  if (depth_ > 0) {
    // Back in the button's own element (or an enclosing child of it).
    part_ = depth_ == 1 ? part_t::button : part_t::other;
    return meta::simple::go_on;
  }
  // The button's element is complete; what follows belongs to other buttons.
  finished_ = true;
  return meta::simple::abort_parse;
}

zq::result_t proxy_fragment_loader::attribute(const meta::name_ref& name, const meta::value& v) {
  switch (layout_name_of(name.view())) {
    case layout_name::txt:
      if (auto text = text_of(v)) out_.title = std::move(*text);
      break;
    case layout_name::id:
      if (auto text = text_of(v)) out_.action = std::move(*text);
      break;
    case layout_name::state:
      if (auto n = integer_of(v)) out_.state = *n;
      break;
    case layout_name::font:
      if (auto n = integer_of(v)) out_.font = *n;
      break;
    case layout_name::color:
      if (auto n = integer_of(v)) out_.color = static_cast<std::uint32_t>(*n);
      break;
    case layout_name::align:
      if (auto n = integer_of(v)) out_.align = *n;
      break;
    case layout_name::profile:
      if (auto n = integer_of(v)) {
        if (part_ == part_t::button) out_.profile = *n;
        if (part_ == part_t::icon) out_.icon_profile = *n;
      }
      break;
    case layout_name::dx:
      if (auto n = integer_of(v)) {
        if (part_ == part_t::title) out_.title_dx = scale_to_screen(fit_, *n);
        if (part_ == part_t::icon) out_.icon_dx = scale_to_screen(fit_, *n);
      }
      break;
    case layout_name::dy:
      if (auto n = integer_of(v)) {
        if (part_ == part_t::title) out_.title_dy = scale_to_screen(fit_, *n);
        if (part_ == part_t::icon) out_.icon_dy = scale_to_screen(fit_, *n);
      }
      break;
    default:
      break;  // the rectangle comes from the runtime button
  }
  return meta::simple::go_on;
}

zq::result_t proxy_fragment_loader::content(const meta::value&) { return meta::simple::go_on; }

zq::result_t proxy_fragment_loader::error(const meta::meta_exception&) { return meta::simple::abort_parse; }

}  // namespace remote
