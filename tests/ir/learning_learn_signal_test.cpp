// Learning buttons into a codebase on disk, with the captures played into a simulated PXA255.
#include "ir/learn_signal.h"

#include <gtest/gtest.h>

#include "ir/codebase_signals.h"
#include "ir/learn_texts.h"
#include "platform/clock.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "support/codebase_image.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"
#include "support/temp_folder.h"

namespace {

using redeye::learn_mode_t;
using redeye::learn_step_t;

const std::vector<std::int32_t> nec_once = zqtest::nec_held(0x20DF10EF, 0, false);
const std::vector<std::int32_t> rc5_held = zqtest::rc5_held(5, 12, 5);
const std::vector<std::int32_t> slow = {9000, -4500, 560};  // at 8 kHz: code 5

struct remote_press {
  std::vector<std::int32_t> waveform;  // empty: nothing is pointed at the receiver
  std::uint32_t carrier_hz = 38000;
};

// A codebase "TV" with the signals Power (one reading) and Mute, and a damaged record "Broken".
class LearningLearnSignal : public ::testing::Test {
 protected:
  LearningLearnSignal() {
    zqtest::bytes broken = zqtest::signal_v2_record("Broken", {{26, 0, {500, -500}}});
    broken.resize(broken.size() - 2);  // its reading runs past the end
    zqtest::write_bytes(folder_.path() / "TV.pdb",
                        zqtest::database_image("TV", "Rda1", 330,
                                               {zqtest::remote_layout_record(),
                                                zqtest::signal_v2_record("Power", {{26, 0, {2600, -1000}}}),
                                                zqtest::signal_v2_record("Mute", {{26, 0, {1300, -1000}}}), broken}));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
    EXPECT_EQ(codebase_.open("TV"), 0);
    callbacks_.prompt = [this](learn_step_t step) {
      prompts_.push_back(step);
      // Each prompt is answered by a press of the remote a second later.
      const std::size_t press = prompts_.size() - 1;
      if (press < presses_.size() && !presses_[press].waveform.empty())
        handheld_.device().receiver().play(presses_[press].waveform, presses_[press].carrier_hz,
                                           platform::clock::now_ns() + 1000000000);
      else
        handheld_.device().receiver().stop();
    };
    callbacks_.first_reading_done = [this] { ++first_done_; };
    callbacks_.sound = [this](outworld::sound_t s) { sounds_.push_back(s); };
  }

  redeye::error_t learn(std::string_view name, learn_mode_t mode, std::vector<remote_press> presses) {
    presses_ = std::move(presses);
    redeye::error_t error;
    redeye::learn_button(codebase_, name, mode, error, callbacks_);
    return error;
  }

  // The readings of a signal as decoded from the codebase saved to disk and opened again.
  std::vector<redeye::signal_data> saved_readings(std::string_view name) {
    EXPECT_EQ(codebase_.save(), 0);
    xman::codebase saved(catalog_);
    EXPECT_EQ(saved.open("TV"), 0);
    std::vector<redeye::signal_data> readings;
    const int index = saved.signal_index_of(name);
    if (index <= 0) return readings;
    const unsigned count = redeye::signal_reading_count(saved.record(static_cast<std::size_t>(index)));
    for (unsigned r = 0; r < count; ++r) {
      redeye::signal_data s;
      EXPECT_EQ(redeye::read_signal(saved, static_cast<std::size_t>(index), r, s), 0);
      readings.push_back(s);
    }
    return readings;
  }

  zqtest::simulated_handheld handheld_{"Intel PXA255"};
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase_writer codebase_{catalog_};
  redeye::learn_callbacks callbacks_;
  std::vector<remote_press> presses_;
  std::vector<learn_step_t> prompts_;
  int first_done_ = 0;
  std::vector<outworld::sound_t> sounds_;
};

TEST_F(LearningLearnSignal, SingleModeReplacesTheSignalWithANewRecord) {
  const redeye::error_t error = learn("Power", learn_mode_t::single, {{nec_once}});
  EXPECT_FALSE(error.failed());
  EXPECT_EQ(prompts_, std::vector<learn_step_t>{learn_step_t::single});
  EXPECT_EQ(sounds_, std::vector<outworld::sound_t>{outworld::sound_t::learned_beep});
  // Deleted, then stored anew: the record moves to the end.
  EXPECT_EQ(codebase_.signal_index_of("Power"), static_cast<int>(codebase_.record_count()) - 1);
  const auto readings = saved_readings("Power");
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_EQ(readings[0].count(), 67);
  EXPECT_EQ(readings[0].repeat_index, 67);
  EXPECT_EQ(readings[0].carrier_period, 26);
  EXPECT_EQ(saved_readings("Mute").size(), 1u);
}

TEST_F(LearningLearnSignal, DoubleModeKeepsBothReadingsInTheSignalsPlace) {
  const int place = codebase_.signal_index_of("Power");
  const redeye::error_t error = learn("Power", learn_mode_t::double_reading, {{nec_once}, {rc5_held, 36000}});
  EXPECT_FALSE(error.failed());
  EXPECT_EQ(prompts_, (std::vector<learn_step_t>{learn_step_t::first, learn_step_t::second}));
  EXPECT_EQ(first_done_, 1);
  EXPECT_EQ(sounds_.size(), 1u);
  EXPECT_EQ(codebase_.signal_index_of("Power"), place);
  const auto readings = saved_readings("Power");
  ASSERT_EQ(readings.size(), 2u);
  EXPECT_EQ(readings[0].count(), 67);
  EXPECT_EQ(readings[1].carrier_period, 27);
  EXPECT_EQ(readings[1].repeat_index, 0);
  EXPECT_EQ(readings[1].count(), zqtest::rc5_frame(5, 12, false).size() + 1);
}

TEST_F(LearningLearnSignal, FailuresLeaveNoHalfLearnedSignal) {
  struct failure_case {
    const char* what;
    learn_mode_t mode;
    std::vector<remote_press> presses;
    redeye::error_t error;  // left for the caller to report
    std::size_t power_readings;
  };
  const failure_case cases[] = {
      // A time-out is not reported and leaves the button without a signal.
      {"single, time-out", learn_mode_t::single, {}, {}, 0},
      // Other errors are reported; single mode keeps the old signal.
      {"single, slow carrier", learn_mode_t::single, {{slow, 8000}}, {4, 5}, 1},
      {"double, first slow", learn_mode_t::double_reading, {{slow, 8000}}, {4, 5}, 0},
      {"double, second times out", learn_mode_t::double_reading, {{nec_once}}, {}, 0},
      {"double, second slow", learn_mode_t::double_reading, {{nec_once}, {slow, 8000}}, {4, 5}, 0},
  };
  const zqtest::bytes original = zqtest::read_bytes(folder_.path() / "TV.pdb");
  for (const failure_case& c : cases) {
    codebase_.close();
    zqtest::write_bytes(folder_.path() / "TV.pdb", original);
    ASSERT_EQ(codebase_.open("TV"), 0);
    sounds_.clear();
    prompts_.clear();
    const redeye::error_t error = learn("Power", c.mode, c.presses);
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_TRUE(sounds_.empty()) << c.what;
    const auto readings = saved_readings("Power");
    ASSERT_EQ(readings.size(), c.power_readings) << c.what;
    if (c.power_readings != 0) {
      EXPECT_EQ(readings[0].durations, (std::vector<std::int32_t>{2600, -1000})) << c.what;
    }
  }
}

TEST_F(LearningLearnSignal, StorageErrorsAndStickyErrors) {
  redeye::error_t error;
  // A reading cannot be added to a damaged record: a storage error.
  handheld_.device().receiver().play(nec_once, 38000, 1000000000);
  redeye::learn_signal(codebase_, "Broken", false, true, error);
  EXPECT_EQ(error, (redeye::error_t{3, 1061}));

  // With an error recorded nothing is captured or stored.
  const std::uint64_t before = platform::clock::now_ns();
  const std::size_t records = codebase_.record_count();
  redeye::learn_signal(codebase_, "New", false, false, error);
  redeye::learn_button(codebase_, "New", learn_mode_t::single, error, callbacks_);
  EXPECT_EQ(platform::clock::now_ns(), before);
  EXPECT_EQ(codebase_.record_count(), records);
  EXPECT_TRUE(prompts_.empty());
}

}  // namespace
