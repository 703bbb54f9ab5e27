#include "zqtool_commands.h"

namespace zqtool {
int run_codebase(const arguments&) { return usage("codebase ..."); }
}  // namespace zqtool
