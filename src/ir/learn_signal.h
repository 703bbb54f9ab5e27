// Learning one button of a remote into a codebase: one capture stored as a signal (learn_signal),
// and the sequence a learning screen runs for a button in single or double mode (learn_button).
// The codebase is changed in memory; the caller saves it.
#pragma once

#include <functional>
#include <string_view>

#include "ir/ir_error.h"
#include "ir/sound.h"
#include "storage/codebase_writer.h"

namespace redeye {

// One capture through the program's driver, stored under name. Nothing happens when error already
// holds an error. No driver: category 5. A capture failure: category 4 with the driver code, and
// the codebase is unchanged. Then:
//   - second_reading: the capture is added as one more reading of the existing record (a new
//     record when there is none);
//   - first_reading: the capture replaces the signal, as a record with one reading;
//   - neither (single mode): the old signal is deleted, then the capture is stored as a new record.
// A storage failure: category 3 with its code.
void learn_signal(xman::codebase_writer& codebase, std::string_view name, bool first_reading, bool second_reading,
                  error_t& error);

enum class learn_mode_t { single, double_reading };
enum class learn_step_t { single, first, second };

// What a learning screen is told while a button is learned. All are optional.
struct learn_callbacks {
  // A capture begins: the screen shows the prompt of this step (see learn_texts.h).
  std::function<void(learn_step_t)> prompt;
  // Double mode, after the first reading: the screen tells the user that the first reading is in
  // and waits for the button to be released (second_reading_event / first_reading_done).
  std::function<void()> first_reading_done;
  std::function<void(outworld::sound_t)> sound;
};

// Learns the button name. Single mode: one reading. Double mode: a first reading that replaces
// the signal, then a second one added to it. Success plays the beep (sound 2). On failure:
// a time-out (category 4, code 17) or driver code 4 is cleared from error and the signal is
// deleted, without a report; any other error stays in error for the caller to report, and in
// double mode the signal is deleted too, so that no half-learned record remains (in single mode
// the old signal stays).
void learn_button(xman::codebase_writer& codebase, std::string_view name, learn_mode_t mode, error_t& error,
                  const learn_callbacks& callbacks = {});

}  // namespace redeye
