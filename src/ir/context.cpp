#include "ir/context.h"

#include "storage/codebase.h"
#include "storage/database_catalog.h"

namespace redeye {

context::context() : on_error([](context& ctx) { ctx.error.clear(); }) {}

context::context(callbacks_of from)
    : catalog(from.parent.catalog),
      signal_event(from.parent.signal_event),
      sound(from.parent.sound),
      action(from.parent.action),
      on_error(from.parent.on_error),
      transmitted(from.parent.transmitted),
      pausing(from.parent.pausing) {}

context::~context() = default;

void context::open_codebase(std::string_view name) {
  if (error.failed()) return;
  if (catalog == nullptr) {
    error.set(error_category::codebase_missing, zq::rc::not_found);
    return;
  }
  auto opened = std::make_unique<xman::codebase>(*catalog);
  if (const zq::result_t rc = opened->open(name); rc != zq::rc::ok) {
    error.set(rc == zq::rc::not_found ? error_category::codebase_missing : error_category::codebase_open, rc);
    return;
  }
  owned_ = std::move(opened);
  codebase = owned_.get();
}

void context::use_codebase(const xman::codebase& other) {
  if (error.failed()) return;
  codebase = &other;
  // A codebase opened earlier is released only when it is no longer the current one.
  if (owned_.get() != codebase) owned_.reset();
}

std::string_view context::codebase_name() const {
  return codebase != nullptr ? std::string_view(codebase->name()) : std::string_view();
}

void context::find_macro(std::string_view name) {
  macro_unit = {};
  if (error.failed()) return;
  if (name.starts_with('$')) name.remove_prefix(1);
  const int index = codebase != nullptr ? codebase->macro_index_of(name) : -1;
  if (index <= 0) {
    error.set(error_category::name_missing, 0);
    return;
  }
  macro_unit = codebase->record(static_cast<std::size_t>(index));
}

name_kind_t context::classify_name(std::string_view name) const {
  if (codebase == nullptr) return name_kind_t::none;
  if (codebase->has_signal(name)) return name_kind_t::signal;
  if (name.starts_with('$') && codebase->has_macro(name.substr(1))) return name_kind_t::macro;
  return name_kind_t::none;
}

}  // namespace redeye
