// zqtool codebase export / import: a codebase's signals in the text formats of other IR tools.
#pragma once

#include "zqtool_commands.h"

namespace zqtool {

inline constexpr const char* interchange_usage =
    "codebase export FILE --format pronto|flipper|lirc|gc\n"
    "       zqtool codebase import FILE --format pronto|flipper|lirc|mode2|gc INPUT [--name NAME]";

// Each takes the arguments after "codebase", its own command word first.
int export_codebase(const arguments& args);
int import_codebase(const arguments& args);

}  // namespace zqtool
