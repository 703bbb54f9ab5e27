// remote::service_loader: the reader of page documents for a service, a state machine over the
// document's element events. It chooses, as the document is read, the layout that suits the
// screen (a better one read later replaces an earlier one), appends that layout's pages and
// buttons, hands every button element to a remote::button_loader, and stops reading after a layout
// that is exactly the screen's. A document without layouts is one implicit layout.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "remote/button_loader.h"
#include "remote/layout_names.h"
#include "remote/screen_fit.h"
#include "remote/service_loader.h"
#include "storage/meta_element_handler.h"

namespace meta {
class names_table;
namespace detail {
class reader_impl;
}
}  // namespace meta

namespace remote {

class service_loader final : public meta::simple::element_handler {
 public:
  // names is the table the reader fills from the document; pages and info receive what is read.
  service_loader(meta::detail::reader_impl& reader, std::shared_ptr<meta::names_table> names, int screen_class,
                 service_pages& pages, service_document_info& info);

  // True when reading was stopped after a perfect layout (the reader then reports an abort).
  bool finished() const { return finished_; }
  // Ends the layout being read, if any: its last page ends with the buttons read so far.
  void close_layout();

  zq::result_t start_element(const meta::name_ref& name) override;
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  zq::result_t error(const meta::meta_exception& e) override;

 private:
  enum class state_t { initial, deciding, reading, skipping };

  std::int32_t button_count() const { return static_cast<std::int32_t>(pages_.buttons.size()); }
  bool take_pending();
  void take(std::int32_t base, std::int32_t orientation);

  std::shared_ptr<meta::names_table> names_;
  layout_name_keys keys_;
  bool keys_resolved_ = false;
  screen_fit fit_;
  service_pages& pages_;
  service_document_info& info_;
  button_loader buttons_;
  state_t state_ = state_t::initial;
  // The layout whose start is being read, until it is taken or skipped.
  std::int32_t pending_base_ = -1;
  std::string pending_orientation_;
  bool has_base_ = false;
  bool has_orientation_ = false;
  bool page_seen_ = false;  // a page of the layout being read has ended: the next one is a new page
  bool finished_ = false;
};

}  // namespace remote
