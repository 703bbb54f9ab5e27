// The PXA27x runs the PXA25x driver on a slower OS timer without keeping any interrupt enabled
// during marks; its half periods, counter wrap and interrupt masking are in the family tables.
#include "ir/drivers/ir_driver_pxa270.h"

#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

TEST(IrDriverPXA270, ProcessorTextChoosesThisDriverOnItsOwnBlocks) {
  zqtest::simulated_handheld handheld("Intel PXA270");
  EXPECT_EQ(handheld.device().timer_hz(), 3250000u);
  EXPECT_NE(dynamic_cast<redeye::CIrDrvrPXA270*>(redeye::get_driver()), nullptr);
}

TEST(IrDriverPXA270, LearnsAHeldNecButtonOnTheSlowerTimer) {
  zqtest::simulated_handheld handheld("Intel PXA270");
  zqtest::learn_held_nec(handheld.device());
  EXPECT_FALSE(zqtest::serial_port_opened());
}

}  // namespace
