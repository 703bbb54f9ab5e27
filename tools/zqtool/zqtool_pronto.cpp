// zqtool pronto: parses Pronto hex text given on the command line and prints the signal it gives.
// The words may come as one argument or several; the arguments are joined with blanks.
#include <string>

#include "ir/pronto_parser.h"
#include "signal_printer.h"
#include "zqtool_commands.h"

namespace zqtool {

int run_pronto(const arguments& args) {
  if (args.empty()) return usage("pronto TEXT...");
  std::string text;
  for (const std::string& arg : args) {
    if (!text.empty()) text += ' ';
    text += arg;
  }
  const redeye::pronto_result parsed = redeye::parse_pronto(text);
  if (parsed.code != zq::rc::ok) return fail(parsed.code);
  print_signal(parsed.signal);
  return 0;
}

}  // namespace zqtool
