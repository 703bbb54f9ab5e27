// zqtool ir: dispatches to send and learn.
#include "ir_commands.h"

namespace zqtool {

int run_ir(const arguments& args) {
  if (args.empty()) return usage(ir_usage);
  if (args[0] == "send") return ir_send(args);
  if (args[0] == "learn") return ir_learn(args);
  return usage(ir_usage);
}

}  // namespace zqtool
