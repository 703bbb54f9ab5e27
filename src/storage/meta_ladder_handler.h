// meta::simple::ladder_handler: the base of a stack of handlers, one per nesting level of a
// persisted object.
//
// A handler that meets a child element it wants another object to handle creates a child ladder
// handler with itself as parent, attaches it (the child becomes the reader's current handler) and
// returns `again`; the reader then delivers the same start_element to the child, which takes that
// element as its own. At the end of its own element the child makes its parent current again and
// deletes itself. Ladder handlers are therefore always created with new.
//
// An error travels up the chain: each handler makes its parent current, forwards the exception to
// it and deletes itself, so a failed parse leaves no ladder handler behind. A handler that aborts
// with abort_parse is responsible for the handlers still attached.
#pragma once

#include "storage/meta_element_handler.h"
#include "storage/meta_string.h"

namespace meta {
namespace detail {
class reader_impl;
}

namespace simple {

class ladder_handler : public element_handler {
 public:
  // parent is null for the root of the stack.
  ladder_handler(detail::reader_impl& reader, element_handler* parent);

  // Makes this handler the reader's current handler.
  void attach();

  // The first element seen becomes the handler's own element (an owned copy of its name).
  zq::result_t start_element(const name_ref& name) override;
  // At the end of the own element (same text): the parent becomes current and this handler is
  // deleted. Nested elements with the same name as the own element therefore need a child handler.
  zq::result_t end_element(const name_ref& name) override;
  zq::result_t attribute(const name_ref& name, const value& v) override = 0;
  zq::result_t content(const value& v) override = 0;
  // Makes the parent current, forwards the exception to it and returns its result (abort_parse
  // without a parent), deleting this handler.
  zq::result_t error(const meta_exception& e) override;

  ~ladder_handler() override;

 protected:
  // A handler that learns its reader and parent only when it is attached (see bind).
  ladder_handler() = default;
  // Sets the reader and the parent; until then the handler must not be attached.
  void bind(detail::reader_impl& reader, element_handler* parent) {
    reader_ = &reader;
    parent_ = parent;
  }
  bool is_bound() const { return reader_ != nullptr; }

  detail::reader_impl& reader() const { return *reader_; }
  element_handler* parent() const { return parent_; }
  const meta::string& own_name() const { return own_name_; }
  // True when name is the handler's own element (both null counts as equal).
  bool is_own(const name_ref& name) const;

 private:
  detail::reader_impl* reader_ = nullptr;
  element_handler* parent_ = nullptr;
  meta::string own_name_;
};

}  // namespace simple
}  // namespace meta
