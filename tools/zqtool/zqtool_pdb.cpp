#include "zqtool_commands.h"

namespace zqtool {
int run_pdb(const arguments&) { return usage("pdb ..."); }
}  // namespace zqtool
