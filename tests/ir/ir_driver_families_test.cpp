// What the processor-family drivers have in common, one table row per family: which driver the
// processor text picks, the refusals before open and on another family's device, the carrier's
// half periods and the counter wrap on the timer-paced families, and interrupts masked during
// marks only.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "hwsim/families.h"
#include "hwsim/pxa_blocks.h"
#include "hwsim/pxa_interrupt_controller.h"
#include "hwsim/s3c_blocks.h"
#include "hwsim/s3c_interrupt_controller.h"
#include "hwsim/tick_clock.h"
#include "ir/driver_registry.h"
#include "ir/drivers/ir_driver_omap1510.h"
#include "ir/drivers/ir_driver_omap850.h"
#include "ir/drivers/ir_driver_pxa250.h"
#include "ir/drivers/ir_driver_sa11xx.h"
#include "ir/drivers/ir_driver_samsung_s3c.h"
#include "ir/processor_family.h"
#include "support/ir_driver_harness.h"
#include "support/simulated_handheld.h"

namespace {

using redeye::processor_family_t;

// --- Detection ---------------------------------------------------------------------------------

TEST(IrDriverDetection, SubstringTestsInOrderAndTheSimulatorAgrees) {
  // The simulator builds the blocks of the family the drivers would pick.
  const char* const simulated[] = {"none", "sa11x0", "pxa25x", "pxa25x", "pxa25x", "pxa27x", "s3c24xx", "omap1510",
                                   "omap850"};
  const std::pair<const char*, int> cases[] = {
      {" SA1110", 1}, {"Intel PXA250", 2}, {"Intel PXA255", 3}, {"Intel PXA261", 4}, {"Intel PXA263", 4},
      {"Intel PXA270", 5}, {"Samsung S3C2410", 6}, {"ARM SC32442", 6}, {"TI OMAP1510", 7}, {"TI OMAP850", 8},
      {"x86_64 AMD Ryzen 7", 0}, {"", 0}, {"pxa255", 0},  // case matters
      // An earlier test wins; an ARM920 core is family 7 unless an S3C name comes first.
      {"PXA27x OMAP850", 5}, {"OMAP850 PXA270", 5}, {"ARM920T OMAP850", 7}, {"ARM920T Unknown", 7},
      {"ARM920T S3C2440", 6}, {"SA1100 PXA250", 1},
  };
  for (const auto& [text, family] : cases) {
    EXPECT_EQ(static_cast<int>(redeye::processor_family(text)), family) << text;
    const hwsim::family_entry* entry = hwsim::family_for(text);
    EXPECT_EQ(entry ? std::string(entry->name) : "none", simulated[family]) << text;
  }
}

TEST(IrDriverDetection, DetectsTheSimulatedProcessorAndKeepsOneDriver) {
  {
    zqtest::simulated_handheld handheld("ARM920T S3C2440", 400000000);
    EXPECT_EQ(redeye::detect_processor_family(), processor_family_t::samsung_s3c);
  }
  for (const char* text : {"Intel PXA250", "Intel PXA255", "Intel PXA263"}) {
    zqtest::simulated_handheld handheld(text);
    redeye::CIrDrvr* driver = redeye::get_driver();
    EXPECT_NE(dynamic_cast<redeye::CIrDrvrPXA250*>(driver), nullptr) << text;
    EXPECT_EQ(redeye::get_driver(), driver);
  }
  zqtest::simulated_handheld handheld("Intel PXA26x");
  EXPECT_EQ(redeye::detect_processor_family(), processor_family_t::pxa26x);
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

// --- Refusals ------------------------------------------------------------------------------------

TEST(IrDriverFamilies, RefuseBeforeOpenAndOnAnotherFamilysDevice) {
  const struct {
    const char* own;
    const char* other;
    std::function<std::unique_ptr<redeye::CIrDrvr>()> make;
  } cases[] = {
      {"Intel PXA255", "TI OMAP850", [] { return std::make_unique<redeye::CIrDrvrPXA250>(); }},
      {"ARM920T S3C2440", "Intel PXA255", [] { return std::make_unique<redeye::CIrDrvrSamsungS3C>(); }},
      {"SA1110", "Intel PXA255", [] { return std::make_unique<redeye::CIrDrvrSA11XX>(); }},
      {"TI OMAP1510", "Intel PXA255", [] { return std::make_unique<redeye::CIrDrvrOMAP1510>(); }},
      {"TI OMAP850", "TI OMAP1510", [] { return std::make_unique<redeye::CIrDrvrOMAP850>(); }},
  };
  const std::int32_t signal[] = {560, -560};
  for (const auto& c : cases) {
    {
      zqtest::simulated_handheld handheld(c.own);
      EXPECT_EQ(c.make()->transmit(0, 0), 302) << c.own;
    }
    zqtest::simulated_handheld handheld(c.other);
    const std::unique_ptr<redeye::CIrDrvr> driver = c.make();
    driver->set_port_name(L"COM3:");
    EXPECT_EQ(driver->load(signal, 2, 2, 26), 0) << c.own;
    EXPECT_EQ(driver->transmit(0, 0), 301) << c.own;
    // Receive opens the port itself and closes it again when it cannot capture.
    driver->close();
    EXPECT_EQ(driver->receive(), 301) << c.own;
    EXPECT_FALSE(driver->port_is_open()) << c.own;
    EXPECT_TRUE(handheld.device().led().edges().empty()) << c.own;
  }
}

// --- The timer-paced families ------------------------------------------------------------------

struct timer_family {
  const char* cpu;
  int ir_uart;
  std::uint32_t clock_hz;
  std::uint64_t hz;        // the timer's rate
  zqtest::pxa_timing nec;  // the 26 us carrier in its ticks
  std::uint64_t first_tick() const { return hz / 10; }  // where a transmit started at 0 begins: after the 100 ms settle
};
const timer_family pxa255{"Intel PXA255", 3, 0, 3686400, {48, 48, 26, 3686}};
const timer_family pxa270{"Intel PXA270", 3, 0, 3250000, {43, 42, 26, 3250}};
const timer_family sa1110{"SA1110", 1, 0, 3686400, {48, 48, 26, 3686}};
const timer_family s3c2440{"ARM920T S3C2440", 2, 399651840, 25000000, {325, 325, 26, 25000}};
const timer_family s3c2410{"ARM920T S3C2410", 2, 0, 25375000, {329, 330, 26, 25375}};

hwsim::device_description described(const timer_family& f) {
  return zqtest::described(f.cpu, f.ir_uart, true, f.clock_hz);
}

TEST(IrDriverFamilies, CarrierHalfPeriodsOnEachTimer) {
  // Period -> ticks on, ticks off. At 3.6864 MHz a fraction rounds up only above four tenths (37:
  // 136.397 stays 136); at 3.25 MHz .25 stays, .5 and .75 round up. The S3C timers take the cycle
  // as period * ticks per ms / 1000 without rounding, on for half of it rounded down.
  const struct {
    const timer_family* family;
    std::uint16_t period;
    std::uint32_t high, low;
  } cases[] = {
      {&pxa255, 11, 21, 20},    {&sa1110, 11, 21, 20},    {&sa1110, 13, 24, 24},    {&sa1110, 26, 48, 48},
      {&sa1110, 35, 65, 64},    {&sa1110, 37, 68, 68},    {&sa1110, 50, 92, 92},    {&pxa270, 10, 17, 16},
      {&pxa270, 13, 21, 21},    {&pxa270, 17, 28, 27},    {&pxa270, 26, 43, 42},    {&pxa270, 27, 44, 44},
      {&pxa270, 50, 82, 81},    {&s3c2440, 26, 325, 325}, {&s3c2440, 11, 137, 138}, {&s3c2440, 37, 462, 463},
      {&s3c2440, 50, 625, 625}, {&s3c2410, 13, 164, 165}, {&s3c2410, 26, 329, 330},
  };
  for (const auto& c : cases) {
    const timer_family& f = *c.family;
    zqtest::simulated_handheld handheld(described(f));
    const std::vector<std::int32_t> signal{c.period * 7 + 3, -900, c.period * 2, -3000};
    redeye::CIrDrvr& driver = zqtest::load_driver(signal, 4, c.period, L"COM3:");
    ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
    const zqtest::pxa_timing timing{c.high, c.low, c.period, f.nec.space_ticks_per_ms};
    EXPECT_EQ(zqtest::recorded_ticks(handheld.device(), f.hz),
              zqtest::expect_pxa_led(signal, 4, 1, timing, f.first_tick()).edges)
        << f.cpu << " period " << c.period;
  }
}

TEST(IrDriverFamilies, SpacesAndMarksKeepTheirTicksAcrossTheCounterWrap) {
  std::uint16_t repeat = 0;
  const auto signal = zqtest::nec_signal(0x00FF00FF, repeat);
  // The 32-bit count wraps some ticks into the leader space (duration 1), then into a bit mark.
  const struct {
    const timer_family* family;
    std::uint64_t into_space;
    std::size_t mark;
    std::uint64_t into_mark;
  } cases[] = {{&pxa255, 5000, 2, 500}, {&pxa270, 7000, 2, 300}, {&sa1110, 9000, 4, 700}};
  for (const auto& c : cases) {
    const timer_family& f = *c.family;
    const auto expected = zqtest::expect_pxa_led(signal, repeat, 1, f.nec, f.first_tick());
    const std::uint64_t space_begin = expected.spans[1].begin, mark_begin = expected.spans[c.mark].begin;
    for (const std::uint64_t wrap_tick : {space_begin + c.into_space, mark_begin + c.into_mark}) {
      hwsim::device_description d = described(f);
      d.timer_start = static_cast<std::uint32_t>(0x100000000ull - wrap_tick);
      zqtest::simulated_handheld handheld(d);
      redeye::CIrDrvr& driver = zqtest::load_driver(signal, repeat, 26, L"COM3:");
      ASSERT_EQ(driver.transmit(0xFFFF, 0), 0);
      EXPECT_EQ(zqtest::recorded_ticks(handheld.device(), f.hz), expected.edges) << f.cpu << " wrap at " << wrap_tick;
    }
  }
}

TEST(IrDriverFamilies, InterruptsAreMaskedDuringMarksOnly) {
  // Each mark, also one too short for a cycle, is masked from before its counter read to its end,
  // then the saved mask is back. The PXA25x keeps its OS timer match interrupts enabled.
  constexpr std::uint32_t pxa_initial = hwsim::pxa_interrupt_controller::initial_mask;
  constexpr std::uint32_t s3c_initial = hwsim::s3c_interrupt_controller::initial_mask;
  const struct {
    const timer_family* family;
    std::uint32_t masked, initial;
  } cases[] = {{&pxa255, pxa_initial & 0x3C000000u, pxa_initial}, {&pxa270, 0, pxa_initial},
               {&s3c2440, 0xFFFFFFFF, s3c_initial}};
  const std::vector<std::int32_t> signal{2600, -1000, 520, -2000, 10, -3000};
  for (const auto& c : cases) {
    const timer_family& f = *c.family;
    zqtest::simulated_handheld handheld(described(f));
    redeye::CIrDrvr& driver = zqtest::load_driver(signal, 2, 26);
    ASSERT_EQ(driver.transmit(0, 0), 0);
    const auto expected = zqtest::expect_pxa_led(signal, 2, 3, f.nec, f.first_tick());
    std::vector<hwsim::mask_write> wanted;
    for (const auto& span : expected.spans) {
      if (signal[span.index] < 0) continue;
      wanted.push_back({hwsim::tick_clock::time_of_tick(span.begin, f.hz), c.masked});
      wanted.push_back({hwsim::tick_clock::time_of_tick(span.end, f.hz), c.initial});
    }
    hwsim::device& device = handheld.device();
    if (auto* pxa = device.block<hwsim::pxa_interrupt_controller>(hwsim::pxa::interrupt_page)) {
      EXPECT_EQ(pxa->mask_writes(), wanted) << f.cpu;
      EXPECT_EQ(pxa->mask(), c.initial) << f.cpu;
    } else {
      auto* s3c = device.block<hwsim::s3c_interrupt_controller>(hwsim::s3c::interrupt_page);
      ASSERT_NE(s3c, nullptr) << f.cpu;
      EXPECT_EQ(s3c->mask_writes(), wanted) << f.cpu;
      EXPECT_EQ(s3c->mask(), c.initial) << f.cpu;
    }
    EXPECT_EQ(zqtest::recorded_ticks(device, f.hz), expected.edges) << f.cpu;
  }
}

}  // namespace
