// Simulated handhelds made from the shipped device profiles: each builds the family its profile
// names, with its serial ports, and the default's FF UART starts in infrared mode.
#include <gtest/gtest.h>

#include "hwsim/profile_description.h"
#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_uart.h"
#include "platform/registry.h"
#include "support/simulated_handheld.h"

namespace {

TEST(HwsimProfile, EveryShippedProfileBuildsTheFamilyItNames) {
  for (const platform::shipped_device_profile& shipped : platform::shipped_device_profiles()) {
    SCOPED_TRACE(shipped.name);
    platform::device_profile profile;
    std::string problem;
    ASSERT_EQ(platform::load_device_profile(shipped.name, profile, problem), zq::rc::ok) << problem;
    hwsim::device_description description;
    ASSERT_TRUE(hwsim::description_from_profile(profile, description, problem)) << problem;
    zqtest::simulated_handheld handheld(description);
    EXPECT_EQ(handheld.device().family(), profile.family);
    for (const std::wstring& port : profile.serial_ports) EXPECT_TRUE(handheld.device().serial_port_exists(port));
    EXPECT_FALSE(handheld.device().serial_port_exists(L"COM9:"));
  }
  platform::replace_registry({});
}

TEST(HwsimProfile, TheDefaultStartsWithItsFfUartInInfraredModeAndAWrongFamilyIsRefused) {
  platform::device_profile profile;
  std::string problem;
  ASSERT_EQ(platform::load_device_profile("", profile, problem), zq::rc::ok) << problem;
  platform::replace_registry({});
  hwsim::device_description description;
  ASSERT_TRUE(hwsim::description_from_profile(profile, description, problem)) << problem;
  {
    zqtest::simulated_handheld handheld(description);
    EXPECT_TRUE(handheld.device().block<hwsim::pxa_uart>(hwsim::pxa::ff_uart_page)->in_ir_mode());
    EXPECT_FALSE(handheld.device().block<hwsim::pxa_uart>(hwsim::pxa::st_uart_page)->in_ir_mode());
  }

  profile.family = "s3c24xx";
  EXPECT_FALSE(hwsim::description_from_profile(profile, description, problem));
  EXPECT_NE(problem.find("\"pxa25x\""), std::string::npos) << problem;
  profile.processor.processor_name = "MSM7200";
  profile.family = "pxa25x";
  EXPECT_FALSE(hwsim::description_from_profile(profile, description, problem));
}

}  // namespace
