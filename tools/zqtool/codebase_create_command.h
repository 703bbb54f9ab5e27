// zqtool codebase create: a new codebase, empty or put together from a skin's pattern (its layout)
// and an IR archive model (its signals).
#pragma once

#include "zqtool_commands.h"

namespace zqtool {

int create_codebase(const arguments& args);

}  // namespace zqtool
