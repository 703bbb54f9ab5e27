#include <gtest/gtest.h>

#include "ir/driver_registry.h"
#include "ir/drivers/ir_driver_pxa250.h"
#include "ir/processor_family.h"
#include "support/simulated_handheld.h"

namespace {

using redeye::processor_family;
using redeye::processor_family_t;

int family(std::string_view text) { return static_cast<int>(processor_family(text)); }

TEST(IrDriverDetection, SubstringTestsInOrder) {
  EXPECT_EQ(family(" SA1110"), 1);
  EXPECT_EQ(family("Intel PXA250"), 2);
  EXPECT_EQ(family("Intel PXA255"), 3);
  EXPECT_EQ(family("Intel PXA261"), 4);
  EXPECT_EQ(family("Intel PXA270"), 5);
  EXPECT_EQ(family("Samsung S3C2410"), 6);
  EXPECT_EQ(family("ARM SC32442"), 6);
  EXPECT_EQ(family("TI OMAP1510"), 7);
  EXPECT_EQ(family("TI OMAP850"), 8);
  EXPECT_EQ(family("x86_64 AMD Ryzen 7"), 0);
  EXPECT_EQ(family(""), 0);
  EXPECT_EQ(family("pxa255"), 0);  // case matters
}

TEST(IrDriverDetection, EarlierTestWins) {
  EXPECT_EQ(family("PXA27x OMAP850"), 5);
  EXPECT_EQ(family("OMAP850 PXA270"), 5);
  EXPECT_EQ(family("ARM920T OMAP850"), 7);
  // The core name alone can decide: an ARM920 core is family 7 unless an S3C name comes first.
  EXPECT_EQ(family("ARM920T Unknown"), 7);
  EXPECT_EQ(family("ARM920T S3C2440"), 6);
  EXPECT_EQ(family("SA1100 PXA250"), 1);
}

TEST(IrDriverDetection, DetectsTheSimulatedProcessor) {
  {
    zqtest::simulated_handheld handheld("ARM920T S3C2440", 400000000);
    EXPECT_EQ(redeye::detect_processor_family(), processor_family_t::samsung_s3c);
  }
  zqtest::simulated_handheld handheld("Intel PXA26x");
  EXPECT_EQ(redeye::detect_processor_family(), processor_family_t::pxa26x);
}

TEST(IrDriverDetection, PxaFamiliesGetOneDriverForTheProgram) {
  for (const char* text : {"Intel PXA250", "Intel PXA255", "Intel PXA263"}) {
    zqtest::simulated_handheld handheld(text);
    redeye::CIrDrvr* driver = redeye::get_driver();
    ASSERT_NE(driver, nullptr) << text;
    EXPECT_NE(dynamic_cast<redeye::CIrDrvrPXA250*>(driver), nullptr) << text;
    EXPECT_EQ(redeye::get_driver(), driver);
  }
}

TEST(IrDriverDetection, NoFamilyCreatesNothingAndDetectsAgainNextTime) {
  zqtest::simulated_handheld desktop("x86_64 Intel Xeon");
  EXPECT_EQ(redeye::get_driver(), nullptr);
  EXPECT_EQ(redeye::get_driver(), nullptr);
  hwsim::device pxa(hwsim::device_description::from_text("Intel PXA255"));
  pxa.install();
  EXPECT_NE(redeye::get_driver(), nullptr);
  redeye::release_driver();
  desktop.device().install();
}

}  // namespace
