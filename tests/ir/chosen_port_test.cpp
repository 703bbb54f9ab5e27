// The port chosen in the IR port setup reaches the driver and the settings file, and a later
// start reads it back.
#include "ir/chosen_port.h"

#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "storage/settings.h"
#include "support/simulated_handheld.h"
#include "support/temp_folder.h"

namespace {

TEST(ChosenPort, GoesToTheDriverAndIntoTheSettingsFileEvenWithoutADriver) {
  zqtest::temp_folder folder;
  const std::wstring file = folder.device_path("Zequon.pref");
  {
    zqtest::simulated_handheld handheld("Intel PXA255");
    xman::settings settings(file);
    const redeye::chosen_port_outcome outcome = redeye::apply_chosen_port(L"COM3: IrDA Port: infrared", settings);
    EXPECT_TRUE(outcome.driver_found);
    EXPECT_EQ(outcome.stored, 0);
    EXPECT_EQ(redeye::get_driver()->port_name(), L"COM3:");
    xman::settings next_start(file);
    ASSERT_EQ(next_start.load(), 0);
    EXPECT_EQ(next_start.ir_port(), L"COM3:");
  }
  zqtest::simulated_handheld handheld("x86_64 AMD Ryzen");
  xman::settings settings(file);
  const redeye::chosen_port_outcome outcome = redeye::apply_chosen_port(L"COM5: Infrared Port", settings);
  EXPECT_FALSE(outcome.driver_found);
  xman::settings next_start(file);
  ASSERT_EQ(next_start.load(), 0);
  EXPECT_EQ(next_start.ir_port(), L"COM5:");
}

}  // namespace
