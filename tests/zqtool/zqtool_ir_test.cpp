// Runs the built zqtool's ir commands on simulated handhelds: the LED output of a send for each
// processor, pass counts and holding, driver failures, learning from a waveform file, and a signal
// learned on one processor family and sent on another.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::run_zqtool;
using zqtest::tool_run;

// NEC-shaped: a frame, then the repeat frame that follows while the button is held (from 8).
const std::vector<std::string> kPower{"--carrier", "26",   "--repeat", "8",     "9000", "-4500", "560", "-560",
                                      "560",       "-1690", "560",     "-40000", "9000", "-2250", "560", "-40000"};

// What a remote sends while its button is held: the frame, then repeat frames.
constexpr const char* kRemote =
    "# NEC frame and four repeats\n"
    "pulse 9000\nspace 4500\npulse 560\nspace 560\npulse 560\nspace 1690\npulse 560\nspace 40000\n"
    "pulse 9000\nspace 2250\npulse 560\nspace 90000\npulse 9000\nspace 2250\npulse 560\nspace 90000\n"
    "pulse 9000\nspace 2250\npulse 560\nspace 90000\npulse 9000\nspace 2250\npulse 560\nspace 90000\n";

// Marks positive, spaces negative, from "pulse US" / "space US" lines; "passes: N" ends them.
std::vector<std::int32_t> waveform_of(const std::string& text, unsigned* passes = nullptr) {
  std::vector<std::int32_t> out;
  std::istringstream lines(text);
  std::string word;
  long value = 0;
  while (lines >> word >> value) {
    if (word == "pulse") out.push_back(static_cast<std::int32_t>(value));
    if (word == "space") out.push_back(static_cast<std::int32_t>(-value));
    if (word == "passes:" && passes != nullptr) *passes = static_cast<unsigned>(value);
  }
  return out;
}

struct learned_signal {
  std::string carrier;
  std::string repeat;
  std::vector<std::string> durations;
};

// The fields of a printed signal ("carrier: P", "repeat: R", "count: K", "durations: ...").
learned_signal parse_signal(const std::string& printed) {
  learned_signal s;
  std::istringstream lines(printed);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "carrier:") words >> s.carrier;
    if (key == "repeat:") words >> s.repeat;
    if (key == "durations:")
      for (std::string d; words >> d;) s.durations.push_back(d);
  }
  return s;
}

class IrTool : public ::testing::Test {
 protected:
  void SetUp() override {
    const tool_run created = run_zqtool({"codebase", "create", folder_.path().string(), "TV"});
    ASSERT_EQ(created.status, 0) << created.err;
    codebase_ = created.out.substr(0, created.out.find('\n'));
    put("Power", kPower);
  }

  void put(const std::string& name, const std::vector<std::string>& values) {
    std::vector<std::string> args{"codebase", "put-signal", codebase_, name, "--replace"};
    args.insert(args.end(), values.begin(), values.end());
    const tool_run r = run_zqtool(args);
    ASSERT_EQ(r.status, 0) << r.err;
  }

  tool_run send(const std::string& name, const std::string& cpu, const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args{"ir", "send", codebase_, name, "--sim", cpu};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_zqtool(args);
  }

  tool_run learn(const std::string& cpu, const std::string& waveform, const std::vector<std::string>& extra = {}) {
    const std::string input = (folder_.path() / "remote.txt").string();
    std::ofstream(input) << waveform;
    std::vector<std::string> args{"ir", "learn", "--sim", cpu, "--input", input};
    args.insert(args.end(), extra.begin(), extra.end());
    return run_zqtool(args);
  }

  zqtest::temp_folder folder_;
  std::string codebase_;
};

// --- Sending ----------------------------------------------------------------------------------

// Three passes: the whole signal, then the repeat frame twice. Marks are whole carrier cycles of
// the processor's timer (96 ticks at 3.6864 MHz: 26.04 us); spaces are their ticks plus the two
// counter reads that start and end the wait.
constexpr const char* kPowerOn3686 =
    "pulse 9011\nspace 4500\npulse 547\nspace 560\npulse 547\nspace 1690\npulse 547\nspace 39996\n"
    "pulse 9011\nspace 2250\npulse 547\nspace 39996\n"
    "pulse 9010\nspace 2251\npulse 546\nspace 39997\n"
    "pulse 9010\nspace 2250\npulse 547\npasses: 3\n";

// The S3C timers run at PCLK / 2: 33.25 MHz on an S3C2410 at 266 MHz (864 ticks a cycle: 25.985
// us), 25 MHz on an S3C2440 at 400 MHz (650 ticks: 26 us); spaces are converted exactly.
constexpr const char* kPowerOnS3c2410 =
    "pulse 8991\nspace 4500\npulse 546\nspace 560\npulse 545\nspace 1690\npulse 546\nspace 40000\n"
    "pulse 8991\nspace 2250\npulse 546\nspace 40000\n"
    "pulse 8990\nspace 2251\npulse 545\nspace 40000\n"
    "pulse 8991\nspace 2250\npulse 546\npasses: 3\n";
constexpr const char* kPowerOnS3c2440 =
    "pulse 8996\nspace 4500\npulse 546\nspace 560\npulse 546\nspace 1690\npulse 546\nspace 40000\n"
    "pulse 8996\nspace 2250\npulse 546\nspace 40001\n"
    "pulse 8996\nspace 2250\npulse 546\nspace 40000\n"
    "pulse 8996\nspace 2250\npulse 546\npasses: 3\n";

// PXA27x: 85 ticks of 3.25 MHz a cycle (26.15 us). OMAP1510: the UART sends 0x55 at twice the
// carrier until the one-shot timer's ticks run out, and the last frame ends the burst. OMAP850:
// n + 1 cycles of 168 ticks at 6.48 MHz (25.93 us).
constexpr const char* kPowerOnPxa270 =
    "pulse 9050\nspace 4500\npulse 549\nspace 561\npulse 549\nspace 1691\npulse 549\nspace 40001\n"
    "pulse 9049\nspace 2250\npulse 549\nspace 40001\n"
    "pulse 9049\nspace 2251\npulse 549\nspace 40001\n"
    "pulse 9049\nspace 2250\npulse 550\npasses: 3\n";
constexpr const char* kPowerOnOmap1510 =
    "pulse 8997\nspace 4503\npulse 572\nspace 548\npulse 572\nspace 1678\npulse 572\nspace 39988\n"
    "pulse 8997\nspace 2252\npulse 572\nspace 39988\n"
    "pulse 8998\nspace 2252\npulse 572\nspace 39988\n"
    "pulse 8997\nspace 2253\npulse 572\npasses: 3\n";
constexpr const char* kPowerOnOmap850 =
    "pulse 9022\nspace 4501\npulse 570\nspace 560\npulse 571\nspace 1690\npulse 570\nspace 40001\n"
    "pulse 9022\nspace 2250\npulse 570\nspace 40001\n"
    "pulse 9022\nspace 2250\npulse 571\nspace 40000\n"
    "pulse 9022\nspace 2251\npulse 570\npasses: 3\n";

TEST_F(IrTool, SendPrintsTheLedWaveformOfEachProcessor) {
  const std::pair<const char*, const char*> cases[] = {
      {"SA1110", kPowerOn3686},        {"PXA250", kPowerOn3686},        {"PXA255", kPowerOn3686},
      {"Intel PXA255", kPowerOn3686},  {"S3C2410", kPowerOnS3c2410},    {"S3C2440", kPowerOnS3c2440},
      {"ARM920T S3C2440", kPowerOnS3c2440}, {"PXA270", kPowerOnPxa270},      {"OMAP1510", kPowerOnOmap1510},
      {"OMAP850", kPowerOnOmap850},
  };
  for (const auto& [cpu, expected] : cases) {
    const tool_run r = send("Power", cpu);
    EXPECT_EQ(r.status, 0) << cpu << ": " << r.err;
    EXPECT_EQ(r.out, expected) << cpu;
  }
}

TEST_F(IrTool, PassCountsSignalDefaultsAndHoldingDecideThePasses) {
  put("Vol+", kPower);
  // Passes and bursts: the first pass has 6 bursts, each later one 2.
  const struct {
    const char* name;
    std::vector<std::string> options;
    unsigned passes;
  } cases[] = {
      {"Power", {"--passes", "65535"}, 1},
      {"Power", {"--passes", "5"}, 5},
      {"Power", {"--passes", "0"}, 3},
      {"Vol+", {}, 1},
      // Released at once: the minimum of the default. Held 400 ms: the passes end at 209, 261,
      // 313 (100 ms of settling first), 365 and 417 ms, and the key is found up only after the last.
      {"Power", {"--hold", "0"}, 3},
      {"Vol+", {"--hold", "400"}, 5},
      {"Power", {"--hold", "400", "--passes", "2"}, 2},
  };
  for (const auto& c : cases) {
    const tool_run r = send(c.name, "PXA255", c.options);
    ASSERT_EQ(r.status, 0) << r.err;
    unsigned passes = 0;
    const std::vector<std::int32_t> waveform = waveform_of(r.out, &passes);
    EXPECT_EQ(passes, c.passes) << c.name << " " << c.options.size();
    EXPECT_EQ(waveform.size(), 11 + 4 * (c.passes - 1)) << c.name << " " << c.options.size();
  }
}

TEST_F(IrTool, EdgesGiveTheTimerRateAndEveryLedChangeFromTheFirst) {
  const tool_run r = send("Power", "PXA255", {"--edges", "--passes", "65535"});
  ASSERT_EQ(r.status, 0) << r.err;
  // 48 ticks on, 48 off at 3.6864 MHz.
  EXPECT_EQ(r.out.substr(0, r.out.find("52083 1\n")), "timer-hz: 3686400\n0 1\n13021 0\n26041 1\n39062 0\n");
  // One rise and one fall per carrier cycle: 2 * 346 + 4 * 21 cycles.
  std::istringstream lines(r.out);
  std::string line;
  std::getline(lines, line);
  std::size_t edges = 0;
  std::uint64_t last_ns = 0;
  bool on = false;
  for (std::uint64_t ns = 0; lines >> ns >> on; ++edges) {
    EXPECT_GE(ns, last_ns);
    last_ns = ns;
  }
  EXPECT_EQ(edges, 2u * (2 * 346 + 4 * 21));
  EXPECT_FALSE(on);
  EXPECT_EQ(r.out.find("passes:"), std::string::npos);
  // The S3C timer follows the clock the processor reports: an S3C2440 at 266 MHz.
  const tool_run slow = send("Power", "S3C2440", {"--edges", "--clock", "266000000"});
  EXPECT_EQ(slow.out.substr(0, slow.out.find('\n')), "timer-hz: 16625000");
}

TEST_F(IrTool, DriverFailuresPrintTheDriverCode) {
  const struct {
    const char* cpu;
    std::vector<std::string> options;
    const char* error;
  } cases[] = {
      // No UART in infrared mode: the port is opened and set to infrared mode, to no avail.
      {"PXA255", {"--ir-uart", "0"}, "error: 303\n"},
      // ... and without a port name there is nothing to open.
      {"PXA250", {"--ir-uart", "0", "--port", ""}, "error: 304\n"},
      {"PXA255", {"--ir-uart", "0", "--port", "COM9:"}, "error: 13\n"},
      // The SA-11x0 always goes through the serial port.
      {"SA1110", {"--port", ""}, "error: 304\n"},
      {"S3C2440", {"--ir-uart", "0"}, "error: 303\n"},
      {"S3C2410", {"--ir-uart", "0", "--port", ""}, "error: 304\n"},
      {"PXA270", {"--ir-uart", "0"}, "error: 303\n"},
      // The OMAP drivers program UART3 themselves but need the serial port to power the transceiver.
      {"OMAP1510", {"--port", ""}, "error: 304\n"},
      {"OMAP850", {"--port", ""}, "error: 304\n"},
  };
  for (const auto& c : cases) {
    const tool_run r = send("Power", c.cpu, c.options);
    EXPECT_EQ(r.status, 1) << c.cpu;
    EXPECT_EQ(r.err, c.error) << c.cpu;
    EXPECT_EQ(r.out, "") << c.cpu;
  }
  // The UART of the infrared port need not be the ST one.
  const tool_run bt = send("Power", "PXA255", {"--ir-uart", "2"});
  EXPECT_EQ(bt.out, kPowerOn3686);
  const tool_run missing = send("Mute", "PXA255");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "error: 1023\n");
  EXPECT_EQ(send("Power", "Pentium").status, 2);
  // A Linux IR device is named as such, and the simulated handheld's options do not apply to it.
  EXPECT_EQ(run_zqtool({"ir", "send", codebase_, "Power", "--lirc", "/dev/ttyS0"}).status, 2);
  EXPECT_EQ(run_zqtool({"ir", "send", codebase_, "Power", "--lirc", "/dev/lirc0", "--edges"}).status, 2);
  EXPECT_EQ(run_zqtool({"ir", "learn", "--lirc", "lirc36"}).status, 2);
}

TEST_F(IrTool, PutSignalImportsProntoHexAndKeepsTheSignalOnARejectedText) {
  put("Power", {"--pronto", "0000", "006D", "0001", "0001", "0010", "0020", "0030", "0040"});
  const std::string shown = "name: Power\ncarrier: 26\nrepeat: 2\ncount: 4\ndurations: 416 -832 1248 -1664\n";
  EXPECT_EQ(run_zqtool({"codebase", "show", codebase_, "Power"}).out, shown);
  const tool_run rejected =
      run_zqtool({"codebase", "put-signal", codebase_, "Power", "--pronto", "0000 006D 0001 0001 0010 020"});
  EXPECT_EQ(rejected.status, 1);
  EXPECT_EQ(rejected.err, "error: 250\n");
  EXPECT_EQ(run_zqtool({"codebase", "show", codebase_, "Power"}).out, shown);
  EXPECT_EQ(run_zqtool({"codebase", "put-signal", codebase_, "Power", "--carrier", "26", "--pronto", "0000"}).status, 2);
}

// --- Learning ---------------------------------------------------------------------------------

TEST_F(IrTool, LearnPrintsTheCapturedSignalWithItsRepeatedPart) {
  // Marks run from the first to the last carrier pulse (one period short); the gap of the last
  // frame is measured up to the next frame's first pulse.
  const tool_run r = learn("PXA255", kRemote);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "carrier: 26\nrepeat: 8\ncount: 12\n"
            "durations: 8948 -4526 552 -567 552 -1697 552 -40011 8974 -2276 552 -90017\n");
  // A 36 kHz remote.
  const learned_signal slow = parse_signal(learn("PXA255", kRemote, {"--carrier", "36000"}).out);
  EXPECT_EQ(slow.carrier, "27");
  // Nothing received: the 20-second time-out.
  const tool_run silent = learn("PXA255", "");
  EXPECT_EQ(silent.status, 1);
  EXPECT_EQ(silent.err, "error: 17\n");
  EXPECT_EQ(learn("PXA255", "pulse 9000\nmark 560\n").status, 1);
}

// Learned on one family, sent on another: every mark and space of the three passes matches the
// learned signal within one carrier period. The one exception is the PXA27x sending long marks:
// its cycle is 85 ticks of 3.25 MHz (26.15 us) for a 26 us period, so a mark drifts by 0.15 us a
// cycle on top (49 us over a 9 ms mark); its spaces and short marks stay within the period.
TEST_F(IrTool, ASignalLearnedOnOneFamilyIsSentOnAnotherWithItsTiming) {
  const struct {
    const char* learner;
    const char* sender;
    double drift_us_per_cycle;
  } pairs[] = {
      {"PXA255", "SA1110", 0},  {"SA1110", "PXA270", 85 / 3.25 - 26}, {"PXA270", "S3C2410", 0},
      {"S3C2440", "OMAP1510", 0}, {"OMAP1510", "OMAP850", 0},          {"OMAP850", "PXA250", 0},
      {"PXA250", "S3C2440", 0}, {"S3C2410", "PXA255", 0},
  };
  for (const auto& [learner, sender, drift] : pairs) {
    const tool_run learned = learn(learner, kRemote);
    ASSERT_EQ(learned.status, 0) << learner << ": " << learned.err;
    const learned_signal s = parse_signal(learned.out);
    std::vector<std::string> values{"--carrier", s.carrier, "--repeat", s.repeat};
    values.insert(values.end(), s.durations.begin(), s.durations.end());
    put("Learned", values);

    const tool_run sent = send("Learned", sender);
    ASSERT_EQ(sent.status, 0) << sender << ": " << sent.err;
    std::vector<std::int32_t> expected;
    for (const std::string& d : s.durations) expected.push_back(std::atoi(d.c_str()));
    const std::vector<std::int32_t> repeated(expected.begin() + std::atoi(s.repeat.c_str()), expected.end());
    for (int pass = 1; pass < 3; ++pass) expected.insert(expected.end(), repeated.begin(), repeated.end());
    expected.pop_back();  // nothing is sent after the last mark
    const std::vector<std::int32_t> output = waveform_of(sent.out);
    ASSERT_EQ(output.size(), expected.size()) << learner << " -> " << sender;
    const int period = std::atoi(s.carrier.c_str());
    for (std::size_t i = 0; i < output.size(); ++i) {
      const double cycles = expected[i] > 0 ? expected[i] / period : 0;
      EXPECT_LE(std::abs(output[i] - expected[i]), period + cycles * drift)
          << learner << " -> " << sender << " at " << i;
    }
  }
}

}  // namespace
