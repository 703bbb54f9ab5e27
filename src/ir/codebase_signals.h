// The IR signals of a codebase: decoding a stored signal record into a signal_data and storing a
// signal_data under a name. The codebase keeps signals as opaque records; the record codec lives
// in ir/signal_data.h.
#pragma once

#include <cstddef>
#include <string_view>

#include "base/result.h"
#include "ir/signal_data.h"
#include "storage/codebase.h"
#include "storage/codebase_writer.h"

namespace redeye {

// Decodes the signal record at index: reading 0 is the first reading, 1 the second when the record
// holds one (the first otherwise). -1 when the index is not a signal record (the layout, a macro,
// an unknown kind, out of range), 1061 for an empty or damaged reading.
[[nodiscard]] zq::result_t read_signal(const xman::codebase& codebase, std::size_t index, unsigned reading,
                                       signal_data& out);

// Stores a signal under a name. No signal of that name: a new record is appended. One exists and
// replace is set: a new record takes the old one's place. One exists and replace is clear: the old
// record with the signal added as one more reading takes its place. 1061 when the signal has no
// items (or too many) or the old record cannot be read; the codebase is then unchanged.
[[nodiscard]] zq::result_t put_signal(xman::codebase_writer& codebase, std::string_view name,
                                      const signal_data& signal, bool replace);

// Removes the signal record at index. -1 when the index is not a signal record (nothing changes).
[[nodiscard]] zq::result_t delete_signal(xman::codebase_writer& codebase, std::size_t index);

}  // namespace redeye
