// The PXA27x runs the PXA25x driver on a slower OS timer without keeping any interrupt enabled
// during marks; its half periods, counter wrap and interrupt masking are in the family tables.
#include "ir/drivers/ir_driver_pxa270.h"

#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "support/ir_driver_harness.h"
#include "support/remote_waveforms.h"
#include "support/simulated_handheld.h"

namespace {

TEST(IrDriverPXA270, ProcessorTextChoosesThisDriverOnItsOwnBlocks) {
  zqtest::simulated_handheld handheld("Intel PXA270");
  EXPECT_EQ(handheld.device().timer_hz(), 3250000u);
  EXPECT_NE(dynamic_cast<redeye::CIrDrvrPXA270*>(redeye::get_driver()), nullptr);
}

TEST(IrDriverPXA270, LearnsAHeldNecButtonOnTheSlowerTimer) {
  zqtest::simulated_handheld handheld("Intel PXA270");
  const auto sent = zqtest::nec_held(0x20DF10EF, 6);
  handheld.device().receiver().play(sent, 38000, 1000000000);
  redeye::CIrDrvr& driver = *redeye::get_driver();
  ASSERT_EQ(driver.receive(), 0);
  EXPECT_FALSE(zqtest::serial_port_opened());
  const redeye::signal_data learned = driver.captured_signal();
  EXPECT_EQ(learned.carrier_period, 26);
  EXPECT_EQ(learned.count(), zqtest::nec_frame_length() + 4);
  EXPECT_EQ(learned.repeat_index, zqtest::nec_frame_length());
  // Within one of the remote's periods: 26.3 us at 38 kHz, rounded up.
  zqtest::expect_learned(learned.durations, sent, 27);
}

}  // namespace
