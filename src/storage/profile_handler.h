// xman::profile_handler: the default behaviour of every handler of a persisted object (the room,
// its hot list, the remote screen's device). A handler reads its object's element, and the elements
// below it, as a ladder handler; it writes the object back as document events through write_to.
//
// A child handler is created with new, attached with attach_child and deletes itself at the end of
// its own element or when an error reaches it. The root handler, attached with attach_root,
// belongs to its caller (it may live on the stack): at the end of its element or on an error it
// leaves the reader without a current handler but is not deleted.
#pragma once

#include "base/result.h"
#include "storage/meta_element_handler.h"
#include "storage/meta_ladder_handler.h"

namespace meta::detail {
class reader_impl;
}

namespace xman {

class profile_handler : public meta::simple::ladder_handler {
 public:
  profile_handler() = default;
  profile_handler(const profile_handler&) = delete;
  profile_handler& operator=(const profile_handler&) = delete;

  // The first element becomes the own element; returns go_on.
  zq::result_t start_element(const meta::name_ref& name) override;
  // At the end of the own element: finish(), the parent becomes current, and a child handler
  // deletes itself.
  zq::result_t end_element(const meta::name_ref& name) override;
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override;
  zq::result_t content(const meta::value& v) override;
  // Forwards to the parent (abort_parse without one); a child handler deletes itself.
  zq::result_t error(const meta::meta_exception& e) override;
  ~profile_handler() override;

  // Called once the own element has been read completely.
  virtual void finish();
  // Becomes the reader's current handler below parent, on parent's reader.
  virtual void attach_child(profile_handler& parent);
  // Becomes the reader's current handler without a parent.
  virtual void attach_root(meta::detail::reader_impl& reader);
  // Emits the object as document events; the default emits nothing.
  virtual void write_to(meta::simple::element_handler& out) const;

 protected:
  // From start_element: hands the element to a new child handler, which sees it as its own.
  zq::result_t hand_to(profile_handler* child);

 private:
  bool root_ = false;
};

}  // namespace xman
