#include "ir/pronto_import.h"

#include "ir/codebase_signals.h"
#include "ir/pronto_parser.h"

namespace redeye {

zq::result_t import_pronto(xman::codebase_writer& codebase, std::string_view name, std::string_view text) {
  const pronto_result parsed = parse_pronto(text);
  if (parsed.code != zq::rc::ok) return parsed.code;
  return put_signal(codebase, name, parsed.signal, true);
}

}  // namespace redeye
