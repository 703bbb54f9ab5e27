// The line the macro editor shows for one macro item:
//
//   delay of 1250 ms                      Pause 1.25 sec
//   "$Movie" in codebase DVD              Macro Movie/DVD
//   signal Power of TV for 3000 ms        Power/TV/3 sec
//   signal Power, one pass                Power/once
//   "@remote:DVD:2"                       Launch DVD/page 2
//   "@foo"                                Unknown action: @foo
#pragma once

#include <string>

#include "ir/macro_item.h"

namespace redeye {

class disassembler {
 public:
  static std::string disassemble(const macro_item& item);
};

}  // namespace redeye
