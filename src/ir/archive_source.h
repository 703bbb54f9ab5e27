// The source text of an IR archive, compiled into the archive's content. One statement a line;
// blank lines are ignored, and "#" at the start of a line or after a blank starts a comment.
//
//   category NAME                      declares a category (identifiers in order of declaration)
//   table ID                           starts a command table, ended by "end"; inside it
//     NAME = WORDS                     one entry: the words complete a protocol text (below)
//   end
//   model CATEGORY | BRAND | NAME      starts a model (brands get identifiers in order of first use)
//     codes TABLE = PROTOCOL FIELDS    one signal per table entry: PROTOCOL FIELDS, then the entry's words
//     signal NAME = FORM               one signal; FORM is one of
//                                        PROTOCOL FIELDS     the protocol registry's text form
//                                        pronto WORDS        Pronto hex
//                                        raw HZ [repeat N] DURATIONS   signed microseconds (marks +)
//
// So "codes sony-tv = Sony12 0x01" with a table entry "Power = 0x15" gives the signal "Power" of
// "Sony12 0x01 0x15". A signal named again replaces the earlier one in its place. Protocols with a
// toggle bit are stored with both readings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/result.h"
#include "storage/ir_archive_writer.h"

namespace redeye {

struct archive_source_error {
  std::size_t line = 0;  // 1-based; 0 for the text as a whole
  std::string message;
};

// Compiles the text. 1115 for a statement that is not one of the above, an unknown category or
// table, a table defined twice or not ended, a signal outside a model, or a signal form that does
// not encode (the message names the protocol, Pronto or signal code); 1116 for a text without a
// category or without a model. out is replaced only on success; error (when given) describes a
// failure.
[[nodiscard]] zq::result_t compile_archive_source(std::string_view text, xman::ir_archive_content& out,
                                                  archive_source_error* error = nullptr);

}  // namespace redeye
