// Moving named signals between a codebase and the interchange formats: every signal of a codebase
// with its readings, and storing a list of signals read from another tool's file.
#pragma once

#include <string>
#include <vector>

#include "base/result.h"
#include "ir/interchange/interchange_signal.h"
#include "storage/codebase.h"
#include "storage/codebase_writer.h"

namespace redeye {

// Every signal of the codebase in record order, each with its first and (when the record holds
// one) second reading. The code of the first record that cannot be decoded, with its name in
// failed_name; out is changed only on success.
[[nodiscard]] zq::result_t codebase_named_signals(const xman::codebase& codebase, std::vector<named_signal>& out,
                                                  std::string& failed_name);

// Stores every signal, each replacing any signal of its name (a later signal of the same name
// replaces an earlier one). Every record is built before any is stored, so on failure (1061 for
// a signal whose record cannot be written, with its name in failed_name) the codebase is
// unchanged. The change stays in the writer until the caller saves.
[[nodiscard]] zq::result_t store_named_signals(xman::codebase_writer& codebase, const std::vector<named_signal>& signals,
                                               std::string& failed_name);

}  // namespace redeye
