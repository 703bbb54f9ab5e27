#include "zqtool_commands.h"

namespace zqtool {
int run_meta(const arguments&) { return usage("meta ..."); }
}  // namespace zqtool
