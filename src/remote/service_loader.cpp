#include "remote/service_loader.h"

#include <cstring>
#include <optional>
#include <utility>

#include "remote/button_loader.h"
#include "remote/layout_names.h"
#include "remote/layout_values.h"
#include "remote/proxy_fragment_loader.h"
#include "storage/meta_format.h"
#include "storage/meta_names_table.h"
#include "storage/meta_reader.h"
#include "storage/meta_value_decoder.h"

namespace remote {

// Chooses, as the document is read, the layout that suits the screen and appends its pages and
// buttons. Reading stops after a layout that is exactly the screen's.
class service_loader final : public meta::simple::element_handler {
 public:
  service_loader(meta::detail::reader_impl& reader, std::shared_ptr<meta::names_table> names, int screen_class,
                 service_pages& pages, service_document_info& info)
      : names_(names),
        fit_(fit_for_screen_class(screen_class)),
        pages_(pages),
        info_(info),
        buttons_(reader, *this, keys_, std::move(names)) {}

  // True when reading was stopped after a perfect layout (the reader then reports an abort).
  bool finished() const { return finished_; }

  // Ends the layout being read, if any: its last page ends with the buttons read so far.
  void close_layout() {
    if (state_ != state_t::reading) return;
    pages_.page_starts.push_back(button_count());
    state_ = state_t::skipping;
  }

  zq::result_t start_element(const meta::name_ref& name) override {
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

  zq::result_t end_element(const meta::name_ref& name) override {
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

  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
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

  zq::result_t content(const meta::value&) override { return meta::simple::go_on; }
  zq::result_t error(const meta::meta_exception&) override { return meta::simple::abort_parse; }

 private:
  enum class state_t { initial, deciding, reading, skipping };

  std::int32_t button_count() const { return static_cast<std::int32_t>(pages_.buttons.size()); }

  // Offers the pending layout; on acceptance it becomes the one being read.
  bool take_pending() {
    screen_fit trial = fit_;
    if (!offer_layout(trial, pending_base_, pending_orientation_)) return false;
    take(trial.chosen_base, trial.chosen_orientation);
    return true;
  }

  // Starts reading a layout: what an earlier one gave is replaced.
  void take(std::int32_t base, std::int32_t orientation) {
    pages_.clear();
    pages_.page_starts.push_back(0);
    pages_.backgrounds.push_back(profile_none);
    fit_.chosen_base = base;
    fit_.chosen_orientation = orientation;
    page_seen_ = false;
    state_ = state_t::reading;
  }

  std::shared_ptr<meta::names_table> names_;
  layout_name_keys keys_;
  bool keys_resolved_ = false;
  screen_fit fit_;
  service_pages& pages_;
  service_document_info& info_;
  button_loader buttons_;
  state_t state_ = state_t::initial;
  std::int32_t pending_base_ = -1;
  std::string pending_orientation_;
  bool has_base_ = false;
  bool has_orientation_ = false;
  bool page_seen_ = false;
  bool finished_ = false;
};

zq::result_t load_service_pages(std::span<const std::uint8_t> document, int screen_class, service_pages& pages,
                                service_document_info& info) {
  pages.clear();
  info = service_document_info{};
  auto names = std::make_shared<meta::names_table>();
  auto reader = meta::detail::create_reader();
  reader->set_names_table(names.get());
  service_loader loader(*reader, names, screen_class, pages, info);
  reader->set_handler(&loader);
  meta::input_buffer input{document.data(), document.size(), 0};
  if (meta::parse(*reader, input) != 0 && !loader.finished()) {
    pages.clear();
    info = service_document_info{};
    return -1;
  }
  // Elements of an implicit layout standing at the top level, without a root around them.
  loader.close_layout();
  return 0;
}

zq::result_t read_button_fragment(const button_fragment& fragment, button_record& out) {
  out = button_record{};
  if (fragment.empty() || fragment.bytes[0] != meta::tag::element_start) return -1;
  auto reader = meta::detail::create_reader();
  // The reader fills a names table only from a "?names" element at the start of a parse; a
  // button's element is never one, so the document's shared table is only read.
  if (fragment.names) reader->set_names_table(const_cast<meta::names_table*>(fragment.names.get()));
  std::size_t position = 1;
  meta::name_ref first;
  if (!meta::detail::decode_name(fragment.bytes, fragment.size, position, reader->names(), first)) return -1;
  if (first.view() == std::string_view(meta::names_element, meta::names_element_length - 1)) return -1;

  button_record record;
  proxy_fragment_loader loader(record, fragment.fit);
  reader->set_handler(&loader);
  meta::input_buffer input{fragment.bytes, fragment.size, 0};
  meta::parse(*reader, input);
  if (!loader.finished()) return -1;
  out = std::move(record);
  return 0;
}

}  // namespace remote
