#include "ir/learn_signal.h"

#include "ir/codebase_signals.h"
#include "ir/driver_registry.h"

namespace redeye {

namespace {

// A driver code that is never reported (no driver of ours produces it; kept for those that may).
constexpr zq::result_t silent_driver_code = 4;

void delete_named_signal(xman::codebase_writer& codebase, std::string_view name) {
  const int index = codebase.signal_index_of(name);
  if (index > 0) (void)delete_signal(codebase, static_cast<std::size_t>(index));
}

// Failures that are not reported: the capture timed out (17), or the silent driver code.
bool silent_failure(const error_t& error) {
  return error.category == error_category::driver &&
         (error.code == zq::rc::capture_timeout || error.code == silent_driver_code);
}

}  // namespace

void learn_signal(xman::codebase_writer& codebase, std::string_view name, bool first_reading, bool second_reading,
                  error_t& error) {
  if (error.failed()) return;
  CIrDrvr* driver = get_driver();
  if (!driver) {
    error.set(error_category::no_driver, 0);
    return;
  }
  if (const zq::result_t rc = driver->receive(); rc != zq::rc::ok) {
    error.set(error_category::driver, rc);
    return;
  }
  const signal_data signal = driver->captured_signal();
  zq::result_t rc = zq::rc::ok;
  if (second_reading) {
    rc = put_signal(codebase, name, signal, false);
  } else {
    if (!first_reading) delete_named_signal(codebase, name);
    rc = put_signal(codebase, name, signal, true);
  }
  if (rc != zq::rc::ok) error.set(error_category::codebase_open, rc);
}

void learn_button(xman::codebase_writer& codebase, std::string_view name, learn_mode_t mode, error_t& error,
                  const learn_callbacks& callbacks) {
  if (error.failed()) return;
  const bool double_mode = mode == learn_mode_t::double_reading;
  if (callbacks.prompt) callbacks.prompt(double_mode ? learn_step_t::first : learn_step_t::single);
  learn_signal(codebase, name, double_mode, false, error);
  if (double_mode && !error.failed()) {
    if (callbacks.first_reading_done) callbacks.first_reading_done();
    if (callbacks.prompt) callbacks.prompt(learn_step_t::second);
    learn_signal(codebase, name, false, true, error);
  }

  if (!error.failed()) {
    if (callbacks.sound) callbacks.sound(outworld::sound_t::learned_beep);
    return;
  }
  if (silent_failure(error)) {
    error.clear();
    delete_named_signal(codebase, name);
  } else if (double_mode) {
    delete_named_signal(codebase, name);
  }
}

}  // namespace redeye
