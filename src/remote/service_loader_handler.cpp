#include "remote/service_loader_handler.h"

#include <utility>

#include "remote/layout_values.h"
#include "storage/meta_names_table.h"

namespace remote {

service_loader::service_loader(meta::detail::reader_impl& reader, std::shared_ptr<meta::names_table> names,
                               int screen_class, service_pages& pages, service_document_info& info)
    : names_(names),
      fit_(fit_for_screen_class(screen_class)),
      pages_(pages),
      info_(info),
      buttons_(reader, *this, keys_, std::move(names)) {}

void service_loader::close_layout() {
  if (state_ != state_t::reading) return;
  pages_.page_starts.push_back(button_count());
  state_ = state_t::skipping;
}

zq::result_t service_loader::start_element(const meta::name_ref& name) {
  // The names table is complete once the first element after it starts.
  if (!keys_resolved_) {
    keys_.resolve(*names_);
    keys_resolved_ = true;
  }
  const layout_name key = keys_.key(name);
  if (state_ == state_t::deciding) {
    if (!take_pending()) {
      state_ = state_t::skipping;
      return meta::simple::skip_element;
    }
  }
  if (key == layout_name::service || key == layout_name::remote) return meta::simple::go_on;
  if (key == layout_name::layout) {
    pending_base_ = -1;
    pending_orientation_ = "wm-unknown";
    has_base_ = has_orientation_ = false;
    state_ = state_t::deciding;
    return meta::simple::go_on;
  }
  if (state_ == state_t::skipping) return meta::simple::skip_element;
  if (state_ == state_t::initial) {
    // A document without layouts is one layout of unknown orientation and base.
    take(-1, orientation_unknown);
  }
  if (key == layout_name::page) {
    if (page_seen_) {
      pages_.page_starts.push_back(button_count());
      pages_.backgrounds.push_back(profile_none);
      page_seen_ = false;
    }
    return meta::simple::go_on;
  }
  if (key == layout_name::button || key == layout_name::label) {
    pages_.buttons.emplace_back();
    buttons_.begin(pages_.buttons.back(), fit_);
    return meta::simple::again;
  }
  return meta::simple::go_on;
}

zq::result_t service_loader::end_element(const meta::name_ref& name) {
  const layout_name key = keys_.key(name);
  if (key == layout_name::page) {
    if (state_ == state_t::reading) page_seen_ = true;
    return meta::simple::go_on;
  }
  if (key == layout_name::service || key == layout_name::remote) {
    // The implicit layout of a document without layouts ends with the root.
    close_layout();
    return meta::simple::go_on;
  }
  if (key != layout_name::layout) return meta::simple::go_on;
  if (state_ == state_t::reading) {
    close_layout();
    if (is_perfect(fit_)) {
      finished_ = true;
      return meta::simple::abort_parse;
    }
  }
  // A layout that was read, skipped, or ended before it could be decided.
  state_ = state_t::skipping;
  return meta::simple::go_on;
}

zq::result_t service_loader::attribute(const meta::name_ref& name, const meta::value& v) {
  switch (keys_.key(name)) {
    case layout_name::bg:
      if (state_ == state_t::reading && !pages_.backgrounds.empty()) {
        if (auto n = integer_of(v)) pages_.backgrounds.back() = *n;
      }
      break;
    case layout_name::skin:
      if (auto text = text_of(v)) {
        info_.skin = std::move(*text);
        info_.has_skin = true;
      }
      break;
    case layout_name::name:
      if (auto text = text_of(v)) {
        info_.name = std::move(*text);
        info_.has_name = true;
      }
      break;
    case layout_name::base:
      if (state_ == state_t::deciding) {
        if (auto n = integer_of(v)) {
          pending_base_ = *n;
          has_base_ = true;
        }
      }
      break;
    case layout_name::orient:
      if (state_ == state_t::deciding) {
        if (auto text = text_of(v)) {
          pending_orientation_ = std::move(*text);
          has_orientation_ = true;
        }
      }
      break;
    default:
      break;
  }
  if (state_ == state_t::deciding && has_base_ && has_orientation_) {
    if (take_pending()) return meta::simple::go_on;
    state_ = state_t::skipping;
    return meta::simple::skip_element;
  }
  return meta::simple::go_on;
}

zq::result_t service_loader::content(const meta::value&) { return meta::simple::go_on; }

zq::result_t service_loader::error(const meta::meta_exception&) { return meta::simple::abort_parse; }

bool service_loader::take_pending() {
  screen_fit trial = fit_;
  if (!offer_layout(trial, pending_base_, pending_orientation_)) return false;
  take(trial.chosen_base, trial.chosen_orientation);
  return true;
}

void service_loader::take(std::int32_t base, std::int32_t orientation) {
  pages_.clear();
  pages_.page_starts.push_back(0);
  pages_.backgrounds.push_back(profile_none);
  fit_.chosen_base = base;
  fit_.chosen_orientation = orientation;
  page_seen_ = false;
  state_ = state_t::reading;
}

}  // namespace remote
