#include "ir/send_signal.h"

#include <gtest/gtest.h>

#include "hwsim/pxa_blocks.h"
#include "ir/driver_registry.h"
#include "ir/error_report.h"
#include "platform/ir_trace.h"
#include "platform/key_state.h"
#include "platform/serial_port.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/ir_driver_harness.h"
#include "support/run_tool.h"
#include "support/simulated_handheld.h"
#include "support/temp_folder.h"

namespace {

using outworld::signal_event_t;
using redeye::pass_choice;

// A codebase "TV" with a few signals on disk, and a context that records the signal events.
class IrPipeline : public ::testing::Test {
 protected:
  IrPipeline() {
    const std::vector<std::int16_t> power{2600, -1000, 520, -2000, 1040, -3000};
    zqtest::write_bytes(
        folder_.path() / "TV.pdb",
        zqtest::database_image("TV", "Rda1", 330,
                               {zqtest::remote_layout_record(), zqtest::signal_v2_record("Power", {{26, 2, power}}),
                                zqtest::signal_v2_record("Vol+", {{26, 2, power}}),
                                zqtest::signal_v2_record("Toggle", {{26, 2, {1040, -1000}}, {26, 2, {2080, -1000}}}),
                                zqtest::signal_v2_record("Empty", {{26, 0, {}}})}));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
    EXPECT_EQ(codebase_.open("TV"), 0);
    ctx_.codebase = &codebase_;
    ctx_.signal_event = [this](signal_event_t e) { events_.push_back(e); };
  }

  static hwsim::device_description pxa255(bool ir_at_start = true) {
    hwsim::device_description d = hwsim::device_description::from_text("Intel PXA255");
    d.ir_mode_at_start = ir_at_start;
    return d;
  }
  void send(std::string_view name, pass_choice passes = pass_choice::signal_default(), int hold_key = 0) {
    redeye::send_signal(ctx_, codebase_, name, passes, hold_key);
  }

  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase codebase_{catalog_};
  redeye::context ctx_;
  std::vector<signal_event_t> events_;
};

// The demodulated output of Power: the whole signal once, then the repeated part.
const std::string power_first = "pulse 2604\nspace 1001\npulse 521\nspace 2000\npulse 1042\n";
const std::string power_repeat = "space 3000\npulse 521\nspace 2000\npulse 1042\n";

TEST_F(IrPipeline, PassesComeFromTheCallerTheNameTheTimeOrTheHeldStylus) {
  const struct {
    const char* name;
    pass_choice passes;
    bool held;
    int repeats;  // passes after the first
  } cases[] = {
      {"Power", pass_choice::signal_default(), false, 2},
      {"Vol+", pass_choice::signal_default(), false, 0},  // volume signals send one pass unless held
      {"Power", pass_choice::passes(0xFFFF), false, 0},
      {"Vol+", pass_choice::passes(2), false, 1},
      // 7.16 ms for the first pass, 7.56 for each repeat: 20 ms reach into the third pass -> 2.
      {"Power", pass_choice::time_ms(20), false, 1},
      // Released 50 ms after the settle. The first pass takes 10.2 ms and each repeat 6.6 ms; the
      // key is tested after every pass, and the sixth repeat ends at 49.5 ms with the stylus still
      // down, so a seventh follows.
      {"Vol+", pass_choice::signal_default(), true, 7},
  };
  for (const auto& c : cases) {
    zqtest::simulated_handheld handheld(pxa255());
    events_.clear();
    if (c.held) {
      platform::set_key_state(platform::vk_stylus, true);
      platform::schedule_key_state(platform::vk_stylus, false, 100000000 + 50000000);
    }
    send(c.name, c.passes, c.held ? platform::vk_stylus : 0);
    EXPECT_FALSE(ctx_.error.failed());
    std::string expected = power_first;
    for (int i = 0; i < c.repeats; ++i) expected += power_repeat;
    EXPECT_EQ(handheld.device().led().demodulated_text(), expected) << c.name << " " << c.repeats;
    EXPECT_EQ(events_, (std::vector<signal_event_t>{signal_event_t::started, signal_event_t::ended}));
  }
}

TEST_F(IrPipeline, TwoReadingsAlternateBetweenPressesOfOneButton) {
  zqtest::simulated_handheld handheld(pxa255());
  const auto pulses = [&] {
    std::string text = handheld.device().led().demodulated_text();
    handheld.device().led().clear();
    return text.substr(0, text.find('\n'));
  };
  send("Toggle", pass_choice::passes(1));
  EXPECT_EQ(pulses(), "pulse 1042");
  send("Toggle", pass_choice::passes(1));
  EXPECT_EQ(pulses(), "pulse 2084");
  send("Toggle", pass_choice::passes(1));
  EXPECT_EQ(pulses(), "pulse 1042");
  send("Power", pass_choice::passes(1));
  handheld.device().led().clear();
  send("Toggle", pass_choice::passes(1));
  EXPECT_EQ(pulses(), "pulse 1042");
}

TEST_F(IrPipeline, FailuresAreRecordedAndTheEventsComeOnlyAroundATransmit) {
  using kind = platform::serial_event::kind_t;
  const std::vector<signal_event_t> around{signal_event_t::started, signal_event_t::ended};
  const struct {
    const char* name;
    bool ir_at_start;
    int uart;  // wired to the transceiver
    const wchar_t* port;
    redeye::error_t error;
    bool events;
  } cases[] = {
      {"Mute", true, 3, L"", {8, 0}, false},      // no such signal
      {"Empty", true, 3, L"", {3, 1061}, false},  // a damaged signal takes the codebase path
      {"Power", false, 3, L"", {4, 304}, false},  // no port chosen
      {"Power", false, 3, L"COM5:", {4, 13}, false},
      // The port opens, but no UART goes into infrared mode: reported after the events.
      {"Power", false, 0, L"COM3:", {4, 303}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name << " " << c.error.code);
    zqtest::simulated_handheld handheld(zqtest::described("Intel PXA255", c.uart, c.ir_at_start));
    ctx_.error.clear();
    events_.clear();
    redeye::get_driver()->set_port_name(c.port);
    send(c.name);
    EXPECT_EQ(ctx_.error, c.error);
    EXPECT_EQ(events_, c.events ? around : std::vector<signal_event_t>{});
    EXPECT_TRUE(handheld.device().led().edges().empty());
    // A port that could not be opened is not closed; one that was opened is closed again.
    const auto& log = platform::serial_event_log();
    if (c.error.code == 13) {
      ASSERT_EQ(log.size(), 1u);
      EXPECT_EQ(log[0].kind, kind::open_failed);
    } else if (!log.empty()) {
      EXPECT_EQ(log.back().kind, kind::close);
    }
    EXPECT_EQ(log.empty(), c.error.code != 13 && c.error.code != 303);
    EXPECT_FALSE(platform::serial_port_is_open(L"COM3:"));
  }
}

TEST_F(IrPipeline, NoDriverForTheProcessorIsAWarning) {
  zqtest::simulated_handheld handheld("x86_64 AMD Ryzen");
  send("Power");
  EXPECT_EQ(ctx_.error.category, 5u);
  const auto r = redeye::report_of(ctx_.error);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->icon, redeye::report_icon_t::warning);
  EXPECT_EQ(r->text,
            "Zequa cannot use the infrared port of your device. Check compatibility at "
            "https://zequon.example/devices.");
}

TEST_F(IrPipeline, PortIsOpenOnlyDuringTheSend) {
  zqtest::simulated_handheld handheld(pxa255(false));
  redeye::get_driver()->set_port_name(L"COM3:");
  send("Power", pass_choice::passes(1));
  EXPECT_FALSE(ctx_.error.failed());
  EXPECT_EQ(handheld.device().led().demodulated_text(), power_first);
  EXPECT_FALSE(redeye::get_driver()->port_is_open());
  EXPECT_EQ(redeye::get_driver()->port_name(), L"COM3:");
  EXPECT_FALSE(platform::serial_port_is_open(L"COM3:"));
}

TEST_F(IrPipeline, AnErrorAlreadyRecordedStopsEverything) {
  zqtest::simulated_handheld handheld(pxa255());
  ctx_.error.set(6, 1023);
  send("Power");
  EXPECT_EQ(ctx_.error, (redeye::error_t{6, 1023}));
  EXPECT_TRUE(events_.empty());
  EXPECT_TRUE(handheld.device().led().edges().empty());
  // The first error stays until cleared.
  ctx_.error.set(8, 0);
  EXPECT_EQ(ctx_.error.category, 6u);
  ctx_.error.clear();
  send("Power", pass_choice::passes(1));
  EXPECT_FALSE(ctx_.error.failed());
  EXPECT_EQ(handheld.device().led().demodulated_text(), power_first);
}

TEST_F(IrPipeline, TheTraceShowsEverySignalThatWentOutAndNothingForAFailedSend) {
  zqtest::simulated_handheld handheld(pxa255());
  ASSERT_EQ(platform::ir_trace::open(folder_.device_path("trace.txt")), 0);
  send("Power", pass_choice::passes(1));
  send("Empty");
  ctx_.error.clear();
  send("Vol+", pass_choice::passes(1));
  platform::ir_trace::close();
  EXPECT_EQ(zqtest::read_text(folder_.path() / "trace.txt"),
            "# send 1 pass\npulse 2600\nspace 1000\npulse 520\nspace 2000\npulse 1040\nspace 3000\n"
            "# send 1 pass\npulse 2600\nspace 1000\npulse 520\nspace 2000\npulse 1040\nspace 3000\n");
}

TEST(IrPipelineReports, EveryCategorysText) {
  using redeye::error_t;
  const auto text = [](std::uint32_t category, std::int32_t code) {
    const auto r = redeye::report_of(error_t{category, code});
    return r ? r->text : std::string("(none)");
  };
  EXPECT_EQ(text(0, 0), "(none)");
  EXPECT_EQ(text(1, 7), "Internal error 7 while running macro. Please write to support@zequon.example.");
  EXPECT_EQ(text(2, -3), "Internal error -3 while running macro. Please write to support@zequon.example.");
  EXPECT_EQ(text(3, 1041),
            "Unknown version of the codebase! You must use the freshest version of the application to open this "
            "codebase.");
  EXPECT_EQ(text(3, 1024), "Cannot open codebase (1024).");
  EXPECT_EQ(text(4, 0), "(none)");
  EXPECT_EQ(text(4, 4), "(none)");
  for (const int code : {5, 6, 203})
    EXPECT_EQ(text(4, code), "Problem while receiving signal (error " + std::to_string(code) +
                                 "). Make sure to point the original remote control right to the infrared receiver "
                                 "of your Windows Mobile device.");
  EXPECT_EQ(text(4, 304), "IR port is not selected. Please select a port using Preferences menu, IR Setup dialog.");
  EXPECT_EQ(text(4, 201),
            "Improper IR port (error 201) Please select another port using Preferences menu, IR Setup dialog. On "
            "problem continues write to support@zequon.example.");
  EXPECT_EQ(text(6, 1023), "Cannot find the codebase referenced in this macro.");
  EXPECT_EQ(text(7, 1), "(none)");
  EXPECT_EQ(text(8, 0), "Cannot find the IR signal or macro referenced in this macro.");
  EXPECT_EQ(text(9, 250), "Wrong Hex code (error 250). Correct code or write to support@zequon.example.");
  EXPECT_EQ(text(10, 0), "(none)");
  EXPECT_EQ(redeye::report_of(error_t{1, 7})->icon, redeye::report_icon_t::error);
}

}  // namespace
