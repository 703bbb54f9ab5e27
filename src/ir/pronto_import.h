// Storing a signal given as Pronto hex text in a codebase.
#pragma once

#include <string_view>

#include "base/result.h"
#include "storage/codebase_writer.h"

namespace redeye {

// Parses the text (limit 1000 durations) and stores the signal under the name, replacing any
// signal of that name. A text the parser rejects returns the parser's code (see
// classify_pronto_code) and leaves the codebase unchanged; otherwise the result of storing it
// (0, or 1061 when the record cannot be written). The change stays in the writer until the
// caller saves.
[[nodiscard]] zq::result_t import_pronto(xman::codebase_writer& codebase, std::string_view name,
                                         std::string_view text);

}  // namespace redeye
