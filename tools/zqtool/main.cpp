// zqtool: the command-line companion. Inspects and builds documents, database files and codebases,
// parses Pronto hex text, and sends and learns IR signals on simulated or real hardware.
#include <cstdio>
#include <string>

#include "zqtool_commands.h"

namespace zqtool {

int fail(int code) {
  std::fprintf(stderr, "error: %d\n", code);
  return 1;
}

int usage(const char* text) {
  std::fprintf(stderr, "usage: zqtool %s\n", text);
  return 2;
}

}  // namespace zqtool

int main(int argc, char** argv) {
  if (argc < 2) {
    return zqtool::usage("meta|pdb|codebase|pronto|ir ...");
  }
  const std::string group = argv[1];
  const zqtool::arguments args(argv + 2, argv + argc);
  if (group == "meta") return zqtool::run_meta(args);
  if (group == "pdb") return zqtool::run_pdb(args);
  if (group == "codebase") return zqtool::run_codebase(args);
  if (group == "pronto") return zqtool::run_pronto(args);
  if (group == "ir") return zqtool::run_ir(args);
  return zqtool::usage("meta|pdb|codebase|pronto|ir ...");
}
