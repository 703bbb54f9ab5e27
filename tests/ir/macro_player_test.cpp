// Playing macros on a simulated handheld: nesting depth, the continue flag, references into other
// codebases, pauses on the virtual clock, actions, and the errors of each kind of step.
#include "ir/macro_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ir/macro_writer.h"
#include "platform/clock.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/simulated_handheld.h"
#include "support/temp_folder.h"

namespace {

using redeye::macro_item;
using redeye::macro_item_type_t;

macro_item signal(std::string name, std::string base = {}, std::int32_t repeat = -1) {
  return {macro_item_type_t::reference, std::move(name), std::move(base), repeat, -1};
}
macro_item delay(std::int32_t ms) { return {macro_item_type_t::delay, {}, {}, -1, ms}; }
macro_item action(std::string text) { return {macro_item_type_t::action, std::move(text), {}, -1, -1}; }

zqtest::bytes macro(std::string_view name, const std::vector<macro_item>& items) {
  std::vector<std::uint8_t> record;
  EXPECT_EQ(redeye::write_macro(items, name, record), 0);
  return record;
}

// Codebases TV and DVD; every step of a play is logged as one line.
class MacroPlayer : public ::testing::Test {
 protected:
  MacroPlayer() {
    const std::vector<std::int16_t> items{2600, -1000, 520, -2000};
    zqtest::bytes broken = macro("Broken", {signal("Power"), signal("Mute")});
    broken.resize(broken.size() - 8);
    zqtest::write_bytes(
        folder_.path() / "TV.pdb",
        zqtest::database_image(
            "TV", "Rda1", 330,
            {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 2, items}}),
             zqtest::signal_v2_record("Mute", {{26, 2, items}}),
             macro("Loop", {signal("Power", "", 0xFFFF), signal("$Loop")}),
             macro("Evening", {signal("Power", "Nowhere"), delay(500), signal("$Movie", "DVD"),
                               signal("Mute", "", 0), action("@page:2")}),
             macro("Lost", {signal("Nothing"), signal("$Nothing"), signal("Power", "TV", 2)}),
             macro("Wait", {delay(40000)}), broken}));
    zqtest::write_bytes(folder_.path() / "DVD.pdb",
                        zqtest::database_image("DVD", "Rda1", 330,
                                               {zqtest::remote_layout_record(),
                                                zqtest::signal_v2_record("Play", {{26, 2, items}}),
                                                macro("Movie", {signal("Play")})}));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
    EXPECT_EQ(codebase_.open("TV"), 0);
  }

  struct outcome {
    std::string log;
    redeye::error_t error;
    std::uint64_t elapsed_ms = 0;
  };

  outcome play(std::string_view name, bool continue_after_error) {
    hwsim::device_description pxa255 = hwsim::device_description::from_text("Intel PXA255");
    pxa255.ir_mode_at_start = true;
    zqtest::simulated_handheld handheld(pxa255);
    outcome out;
    redeye::context ctx;
    ctx.catalog = &catalog_;
    ctx.use_codebase(codebase_);
    ctx.transmitted = [&](const redeye::context& sent) {
      out.log += "send " + std::string(sent.codebase_name()) + "/" + sent.sending.name + " " +
                 std::to_string(sent.sending.pass_count) + "\n";
    };
    ctx.pausing = [&](std::uint32_t ms) { out.log += "delay " + std::to_string(ms) + "\n"; };
    ctx.action = [&](redeye::context&, std::string_view text, redeye::error_t&) {
      out.log += "action " + std::string(text) + "\n";
    };
    ctx.on_error = [&](redeye::context& failed) {
      out.log += "error " + std::to_string(failed.error.category) + " " + std::to_string(failed.error.code) + "\n";
    };
    const std::uint64_t start = platform::clock::now_ns();
    ctx.find_macro(name);
    redeye::play_macro(ctx, redeye::macro_start_depth, continue_after_error);
    out.error = ctx.error;
    out.elapsed_ms = (platform::clock::now_ns() - start) / 1000000;
    return out;
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase codebase_{catalog_};
};

TEST_F(MacroPlayer, PlaysStepsAndHandlesErrorsByTheContinueFlag) {
  struct play_case {
    const char* macro;
    bool continue_after_error;
    std::string log;
    redeye::error_t error;
  };
  const play_case cases[] = {
      // A macro that runs itself stops after three levels, without an error.
      {"Loop", false, "send TV/Power 65535\nsend TV/Power 65535\nsend TV/Power 65535\n", {}},
      // A missing codebase: with the continue flag the rest plays, without it nothing more does.
      {"Evening", true, "error 6 1023\ndelay 500\nsend DVD/Play 65535\nsend TV/Mute 0\naction @page:2\n", {}},
      {"Evening", false, "", {6, 1023}},
      {"Lost", true, "error 8 0\nerror 8 0\nsend TV/Power 2\n", {}},
      {"Lost", false, "", {8, 0}},
      {"$Nowhere", true, "", {8, 0}},
      // A damaged document: what was read before the fault has played.
      {"Broken", true, "send TV/Power 65535\n", {1, 1000}},
  };
  for (const play_case& c : cases) {
    const outcome out = play(c.macro, c.continue_after_error);
    EXPECT_EQ(out.log, c.log) << c.macro << " " << c.continue_after_error;
    EXPECT_EQ(out.error, c.error) << c.macro << " " << c.continue_after_error;
  }
}

TEST_F(MacroPlayer, PausesOnTheCallingThreadsClock) {
  const outcome out = play("Wait", false);
  EXPECT_EQ(out.log, "delay 40000\n");
  EXPECT_EQ(out.elapsed_ms, 40000u);
}

TEST_F(MacroPlayer, NothingPlaysOnAContextWithAnErrorOrWithoutDepth) {
  redeye::context ctx;
  ctx.use_codebase(codebase_);
  int actions = 0;
  ctx.action = [&](redeye::context&, std::string_view, redeye::error_t&) { ++actions; };
  ctx.find_macro("Evening");
  redeye::play_macro(ctx, 0, true);
  ctx.error.set(redeye::error_category::driver, 13);
  redeye::play_macro(ctx, redeye::macro_start_depth, true);
  EXPECT_EQ(actions, 0);
  EXPECT_EQ(ctx.error, (redeye::error_t{4, 13}));
  ctx.error.clear();
  ctx.macro_unit = {};
  redeye::play_macro(ctx, redeye::macro_start_depth, true);
  EXPECT_EQ(ctx.error, (redeye::error_t{2, 0}));
}

TEST_F(MacroPlayer, NamesAreClassifiedAsSignalsOrMacros) {
  redeye::context ctx;
  ctx.use_codebase(codebase_);
  EXPECT_EQ(ctx.classify_name("Power"), redeye::name_kind_t::signal);
  EXPECT_EQ(ctx.classify_name("$Loop"), redeye::name_kind_t::macro);
  EXPECT_EQ(ctx.classify_name("Loop"), redeye::name_kind_t::none);
  EXPECT_EQ(ctx.classify_name("$Power"), redeye::name_kind_t::none);
}

}  // namespace
