// The exceptions handed to an element handler's error operation. They are never thrown: the reader
// passes one to the handler and stops.
#pragma once

namespace meta {

class meta_exception {
 public:
  virtual const char* what() const noexcept { return "meta::meta_exception"; }

 protected:
  ~meta_exception() = default;
};

// Malformed input. The reader's only message.
class parse_exception final : public meta_exception {
 public:
  const char* what() const noexcept override { return "meta::parse_exception: file is in wrong format"; }
};

}  // namespace meta
