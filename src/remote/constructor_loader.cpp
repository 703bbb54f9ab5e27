#include "remote/constructor_loader.h"

#include <utility>

#include "remote/layout_values.h"

namespace remote {

// Pages and buttons that come before any layout or page go into an implicit one, as the service
// reader shows them.
layout_entry& constructor_loader::last_layout() {
  if (out_.layouts.empty()) out_.layouts.emplace_back();
  return out_.layouts.back();
}

layout_page& constructor_loader::last_page() {
  layout_entry& layout = last_layout();
  if (layout.pages.empty()) layout.pages.emplace_back();
  return layout.pages.back();
}

zq::result_t constructor_loader::start_element(const meta::name_ref& name) {
  ++depth_;
  current_ = layout_name_of(name.view());
  switch (current_) {
    case layout_name::remote:
    case layout_name::service:
    case layout_name::layout:
    case layout_name::page:
    case layout_name::button:
    case layout_name::label:
      // A new container or button: a button left open around it no longer takes attributes.
      button_depth_ = 0;
      break;
    default:
      break;
  }
  switch (current_) {
    case layout_name::remote:
    case layout_name::service:
      out_.layouts.clear();
      part_ = part_t::none;
      break;
    case layout_name::layout:
      out_.layouts.emplace_back();
      part_ = part_t::none;
      break;
    case layout_name::page:
      last_layout().pages.emplace_back();
      part_ = part_t::none;
      break;
    case layout_name::button:
    case layout_name::label: {
      button_record record;
      record.is_button = current_ == layout_name::button ? 1 : 0;
      last_page().buttons.push_back(std::move(record));
      part_ = part_t::button;
      button_depth_ = depth_;
      break;
    }
    case layout_name::title:
      if (button_depth_ != 0) part_ = part_t::title;
      break;
    case layout_name::icon:
      if (button_depth_ != 0) part_ = part_t::icon;
      break;
    case layout_name::action:
      if (button_depth_ != 0) part_ = part_t::action;
      break;
    default:
      break;
  }
  return meta::simple::go_on;
}

zq::result_t constructor_loader::end_element(const meta::name_ref&) {
  if (depth_ == button_depth_) {
    button_depth_ = 0;
    part_ = part_t::none;
  } else if (button_depth_ != 0 && depth_ == button_depth_ + 1) {
    part_ = part_t::button;
  }
  if (depth_ > 0) --depth_;
  current_ = layout_name::other;
  return meta::simple::go_on;
}

zq::result_t constructor_loader::attribute(const meta::name_ref& name, const meta::value& v) {
  const layout_name key = layout_name_of(name.view());
  switch (current_) {
    case layout_name::remote:
    case layout_name::service:
      if (key == layout_name::skin) {
        if (auto text = text_of(v)) out_.skin = std::move(*text);
      }
      break;
    case layout_name::layout:
      if (key == layout_name::base) {
        if (auto n = integer_of(v)) last_layout().base = *n;
      } else if (key == layout_name::orient) {
        if (auto text = text_of(v)) last_layout().orientation = std::move(*text);
      }
      break;
    case layout_name::page:
      if (key == layout_name::bg) {
        if (auto n = integer_of(v)) last_page().background = *n;
      }
      break;
    default:
      if (button_depth_ != 0) button_attribute(key, v);
      break;
  }
  return meta::simple::go_on;
}

void constructor_loader::button_attribute(layout_name key, const meta::value& v) {
  if (out_.layouts.empty() || out_.layouts.back().pages.empty() || out_.layouts.back().pages.back().buttons.empty()) {
    return;
  }
  button_record& b = out_.layouts.back().pages.back().buttons.back();
  if (key == layout_name::txt || key == layout_name::id) {
    if (auto text = text_of(v)) (key == layout_name::txt ? b.title : b.action) = std::move(*text);
    return;
  }
  const auto n = integer_of(v);
  if (!n) return;
  switch (key) {
    case layout_name::x:
      b.x = *n;
      break;
    case layout_name::y:
      b.y = *n;
      break;
    case layout_name::w:
      if (part_ == part_t::button) b.width = *n;
      break;
    case layout_name::h:
      if (part_ == part_t::button) b.height = *n;
      break;
    case layout_name::profile:
      if (part_ == part_t::button) b.profile = *n;
      if (part_ == part_t::icon) b.icon_profile = *n;
      break;
    case layout_name::state:
      b.state = *n;
      break;
    case layout_name::dx:
      if (part_ == part_t::title) b.title_dx = *n;
      if (part_ == part_t::icon) b.icon_dx = *n;
      break;
    case layout_name::dy:
      if (part_ == part_t::title) b.title_dy = *n;
      if (part_ == part_t::icon) b.icon_dy = *n;
      break;
    case layout_name::font:
      b.font = *n;
      break;
    case layout_name::color:
      b.color = static_cast<std::uint32_t>(*n);
      break;
    default:
      break;  // "align" is not kept: the editor does not write it back
  }
}

zq::result_t constructor_loader::content(const meta::value&) { return meta::simple::go_on; }

zq::result_t constructor_loader::error(const meta::meta_exception&) { return meta::simple::abort_parse; }

}  // namespace remote
