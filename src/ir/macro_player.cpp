#include "ir/macro_player.h"

#include <optional>

#include "ir/macro_reader.h"
#include "ir/send_signal.h"
#include "platform/clock.h"
#include "storage/codebase.h"

namespace redeye {

namespace {

// The stylus: a reference sends like a tapped screen button.
constexpr int stylus_hold_key = 1;

pass_choice passes_of(const macro_item& item) {
  if (item.time > 0) return pass_choice::time_ms(static_cast<std::uint32_t>(item.time));
  if (item.repeat >= 0) return pass_choice::passes(static_cast<std::uint16_t>(item.repeat));
  return pass_choice::passes(passes_once);
}

void run_reference(context& ctx, const macro_item& item, int depth, bool continue_after_error) {
  if (ctx.error.failed()) return;
  const bool names_macro = item.is_macro_reference();
  if (names_macro && depth - 1 < 1) return;  // nested too deep: the reference does nothing

  std::optional<context> child;
  if (!item.base.empty()) {
    child.emplace(context::callbacks_of{ctx});
    child->open_codebase(item.base);
  } else if (names_macro) {
    child.emplace(context::callbacks_of{ctx});
    if (ctx.codebase != nullptr) child->use_codebase(*ctx.codebase);
  }
  context& target = child ? *child : ctx;

  if (names_macro) {
    target.find_macro(item.name);
    play_macro(target, depth - 1, continue_after_error);
  } else if (!target.error.failed()) {
    if (target.codebase == nullptr) {
      target.error.set(error_category::name_missing, 0);
    } else {
      send_signal(target, *target.codebase, item.name, passes_of(item), stylus_hold_key);
    }
  }
  if (child) ctx.error.set(child->error.category, child->error.code);
}

void run_step(context& ctx, const macro_item& item, int depth, bool continue_after_error) {
  switch (item.type) {
    case macro_item_type_t::reference:
      run_reference(ctx, item, depth, continue_after_error);
      break;
    case macro_item_type_t::delay:
      if (item.time > 0 && !ctx.error.failed()) {
        const auto ms = static_cast<std::uint32_t>(item.time);
        if (ctx.pausing) ctx.pausing(ms);
        platform::clock::sleep(ms);
      }
      break;
    case macro_item_type_t::action:
      if (!ctx.error.failed() && ctx.action) ctx.action(ctx, item.name, ctx.error);
      break;
  }
  if (continue_after_error && ctx.error.failed()) {
    if (ctx.on_error) ctx.on_error(ctx);
    ctx.error.clear();
  }
}

}  // namespace

void play_macro(context& ctx, int depth, bool continue_after_error) {
  if (ctx.error.failed() || depth < 1) return;
  if (ctx.macro_unit.empty()) {
    ctx.error.set(error_category::macro_hot_list, 0);
    return;
  }
  const macro_reader reader(
      [&](const macro_item& item) { run_step(ctx, item, depth, continue_after_error); });
  if (reader.read(ctx.macro_unit) != zq::rc::ok) ctx.error.set(error_category::macro_internal, macro_unreadable);
}

}  // namespace redeye
