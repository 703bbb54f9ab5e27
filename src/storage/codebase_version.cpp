#include "storage/codebase_version.h"

namespace xman {

zq::result_t convert_codebase_header(four_cc& type, std::uint16_t& version) {
  if (type == kTypeCodebaseOld) {
    type = kTypeCodebase;
    version = kCodebaseVersion;
    return zq::rc::ok;
  }
  if (type == kTypeCodebase) {
    if (version < kCodebaseVersion) version = kCodebaseVersion;
    return zq::rc::ok;
  }
  return zq::rc::codebase_unknown_kind;
}

}  // namespace xman
