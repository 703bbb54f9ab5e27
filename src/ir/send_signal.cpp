#include "ir/send_signal.h"

#include "ir/codebase_signals.h"
#include "ir/driver_registry.h"
#include "ir/transmit_time.h"
#include "platform/ir_trace.h"
#include "storage/codebase.h"

namespace redeye {

reading_alternation& send_alternation() {
  static reading_alternation memory;
  return memory;
}

namespace {

std::uint16_t pass_count_for(const pass_choice& passes, std::string_view name, const signal_data& signal) {
  switch (passes.kind) {
    case pass_choice::kind_t::pass_count:
      return static_cast<std::uint16_t>(passes.value);
    case pass_choice::kind_t::transmit_time:
      return passes_for_time(signal.durations, signal.repeat_index, passes.value);
    case pass_choice::kind_t::signal_default:
      break;
  }
  return default_pass_count(name);
}

}  // namespace

void find_signal(context& ctx, const xman::codebase& codebase, std::string_view name, pass_choice passes) {
  if (ctx.error.failed()) return;

  const int index = codebase.signal_index_of(name);
  if (index <= 0) {
    ctx.error.set(error_category::name_missing, 0);
    return;
  }
  send_unit& unit = ctx.sending;
  const unsigned reading = send_alternation().choose(name);
  if (const zq::result_t rc = read_signal(codebase, static_cast<std::size_t>(index), reading, unit.signal);
      rc != zq::rc::ok) {
    ctx.error.set(error_category::codebase_open, rc);
    return;
  }
  unit.name.assign(name);
  unit.pass_count = pass_count_for(passes, name, unit.signal);
}

void send(context& ctx, int hold_key) {
  if (ctx.error.failed()) return;

  CIrDrvr* driver = get_driver();
  if (!driver) {
    ctx.error.set(error_category::no_driver, 0);
    return;
  }

  const signal_data& signal = ctx.sending.signal;
  if (const zq::result_t rc = driver->load(signal.durations.data(), signal.count(), signal.repeat_index,
                                           signal.carrier_period);
      rc != zq::rc::ok) {
    ctx.error.set(error_category::driver, rc);
    if (rc != zq::rc::port_open_failed) driver->close();
    return;
  }

  ctx.raise(outworld::signal_event_t::started);
  const zq::result_t rc = driver->transmit(ctx.sending.pass_count, hold_key);
  ctx.raise(outworld::signal_event_t::ended);
  // The trace (a headless run's ZEQUON_IR_TRACE) shows every signal that went out.
  if (rc == zq::rc::ok) platform::ir_trace::transmission(signal.durations, driver->passes_played());
  if (rc != zq::rc::ok) {
    ctx.error.set(error_category::driver, rc);
  } else if (ctx.transmitted) {
    ctx.transmitted(ctx);
  }
  driver->close();
}

void send_signal(context& ctx, const xman::codebase& codebase, std::string_view name, pass_choice passes,
                 int hold_key) {
  find_signal(ctx, codebase, name, passes);
  send(ctx, hold_key);
}

}  // namespace redeye
