// Playing a macro: the macro reader walks the record in the context's macro unit and each
// element is acted on as soon as it has been read. A reference sends a signal (hold key 1, the
// stylus) or plays another macro one level deeper, in a child context on the codebase its "base"
// names (opened for that element) or on the current one; an action goes to the action callback;
// a delay sleeps on the calling thread's clock.
//
// Errors land in the context's sticky error record and stop what follows. With the continue flag
// set, a step that failed first calls the error callback and then clears the error, so the rest
// of the macro still plays; without it the first error stays for the caller to report.
#pragma once

#include "ir/context.h"

namespace redeye {

// How deep screen buttons, hard buttons and the test button start a macro: a macro three
// references down is the last one played; deeper references do nothing.
inline constexpr int macro_start_depth = 3;

// Plays ctx.macro_unit (see context::find_macro). Nothing happens while the context holds an
// error or when depth is below 1. No bytes: category 2 with code 0. A malformed record: category
// 1 with 1000, after the elements before the fault have played.
void play_macro(context& ctx, int depth, bool continue_after_error);

}  // namespace redeye
