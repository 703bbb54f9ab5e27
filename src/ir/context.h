// One IR operation's context: the codebase it works on, its error record and the callbacks
// through which it tells the application what happens. A context lives for one button press or
// one test run and may live on the stack; a child context lives for one reference element of a
// macro and takes over its parent's callbacks. A codebase the context opened by name is its own
// and is closed with it.
//
// The error record is sticky: every operation checks it first and does nothing while it holds an
// error; only the caller, a macro's continue flag or the error callback clears it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "ir/ir_error.h"
#include "ir/send_unit.h"
#include "ir/signal_event.h"
#include "ir/sound.h"

namespace xman {
class codebase;
class database_catalog;
}  // namespace xman

namespace redeye {

struct context;

// Performs an application command ("@page:2", ...); a failure goes into the error record handed over.
using action_callback = std::function<void(context& ctx, std::string_view command, error_t& error)>;
using error_callback = std::function<void(context& ctx)>;

// What a name in a context's codebase stands for.
enum class name_kind_t { none = 0, signal = 1, macro = 2 };

struct context {
  // Names the parent whose callbacks and catalog a child context takes over.
  struct callbacks_of {
    const context& parent;
  };

  // A new context: no codebase, no error, and an error callback that clears the error.
  context();
  // A child context: the parent's callbacks and catalog, no codebase, no error.
  explicit context(callbacks_of from);
  ~context();
  context(const context&) = delete;
  context& operator=(const context&) = delete;

  // The codebase currently addressed (owned when opened by name).
  const xman::codebase* codebase = nullptr;
  error_t error;
  // The catalog open_codebase looks names up in; none means that no codebase can be found by name.
  xman::database_catalog* catalog = nullptr;
  // The signal being sent and the macro being played (bytes of its record, inside the codebase's
  // record data, valid while that codebase stays open and unchanged).
  send_unit sending;
  std::span<const std::uint8_t> macro_unit;

  std::function<void(outworld::signal_event_t)> signal_event;
  std::function<void(outworld::sound_t)> sound;
  action_callback action;
  error_callback on_error;
  // Observers for tools and tests: after every successful transmission (the context's send unit
  // holds what was sent), and before every macro pause (its length in milliseconds).
  std::function<void(const context&)> transmitted;
  std::function<void(std::uint32_t ms)> pausing;

  void raise(outworld::signal_event_t event) const {
    if (signal_event) signal_event(event);
  }
  void play(outworld::sound_t which) const {
    if (sound) sound(which);
  }

  // Opens the named codebase through the catalog and makes it current (owned). A name the
  // catalog does not hold is category 6 with 1023, any other failure category 3 with the storage
  // code.
  void open_codebase(std::string_view name);
  // Makes an open codebase current without owning it.
  void use_codebase(const xman::codebase& other);
  // The name the current codebase was opened under, empty without one.
  std::string_view codebase_name() const;

  // Points macro_unit at the record of the named macro of the current codebase; the name may carry
  // its leading "$". A macro that does not exist is category 8 (macro_unit then empty).
  void find_macro(std::string_view name);

  // 1 for a signal of the current codebase, 2 for "$" followed by a macro of it, else 0.
  name_kind_t classify_name(std::string_view name) const;

 private:
  std::unique_ptr<xman::codebase> owned_;
};

}  // namespace redeye
