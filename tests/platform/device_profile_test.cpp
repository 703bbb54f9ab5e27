// The shipped device profiles and the choice among them: each loads into the registry with its
// screen, the registry then answers as the handheld's does for the hardware keys and serial
// drivers, and a choice that names nothing is an error.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include "platform/device_profile.h"
#include "platform/registry.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

class DeviceProfileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(open_registry_key_count(), 0u);
    replace_registry({});
  }
};

std::wstring string_at(hkey parent, std::wstring_view path, std::wstring_view name) {
  hkey key = 0;
  std::wstring text;
  if (open_registry_key(parent, path, key) != zq::rc::ok) return L"(no key)";
  if (query_registry_string(key, name, text) != zq::rc::ok) text = L"(no value)";
  (void)close_registry_key(key);
  return text;
}

// The serial ports as the IR setup lists them: every active driver named COM..., with the
// friendly name of its driver key, or else of that key's first subkey.
std::vector<std::wstring> serial_port_entries() {
  std::vector<std::wstring> entries;
  hkey active = 0;
  if (open_registry_key(hkey_local_machine, L"Drivers\\Active", active) != zq::rc::ok) return entries;
  std::wstring sub;
  for (std::uint32_t i = 0; enumerate_registry_subkey(active, i, sub) == zq::rc::ok; ++i) {
    const std::wstring name = string_at(active, sub, L"Name");
    if (!name.starts_with(L"COM")) continue;
    const std::wstring driver = string_at(active, sub, L"Key");
    std::wstring friendly = string_at(hkey_local_machine, driver, L"FriendlyName");
    if (friendly == L"(no value)") {
      hkey driver_key = 0;
      std::wstring first;
      if (open_registry_key(hkey_local_machine, driver, driver_key) == zq::rc::ok) {
        if (enumerate_registry_subkey(driver_key, 0, first) == zq::rc::ok)
          friendly = string_at(driver_key, first, L"FriendlyName");
        (void)close_registry_key(driver_key);
      }
    }
    entries.push_back(name + L" " + friendly);
  }
  (void)close_registry_key(active);
  return entries;
}

TEST_F(DeviceProfileTest, EveryShippedProfileLoadsWithItsScreen) {
  const std::map<std::string, std::pair<size, std::uint32_t>> expected{
      {"qvga-portrait", {{240, 320}, 96}},   {"qvga-landscape", {{320, 240}, 96}},
      {"qvga-square", {{240, 240}, 96}},     {"vga-portrait", {{480, 640}, 192}},
      {"vga-portrait-96", {{480, 640}, 96}}, {"wvga-portrait", {{480, 800}, 192}},
      {"wvga-landscape", {{800, 480}, 192}},
  };
  ASSERT_EQ(shipped_device_profiles().size(), expected.size());
  for (const shipped_device_profile& shipped : shipped_device_profiles()) {
    SCOPED_TRACE(shipped.name);
    device_profile profile;
    std::string problem;
    ASSERT_EQ(load_device_profile(shipped.name, profile, problem), zq::rc::ok) << problem;
    const auto& [screen, dpi] = expected.at(std::string(shipped.name));
    EXPECT_EQ(profile.screen, screen);
    EXPECT_EQ(profile.dpi, dpi);
    EXPECT_EQ(profile.name, shipped.name);
    EXPECT_FALSE(profile.processor.processor_name.empty());
    EXPECT_NE(profile.processor.clock_hz, 0u);
    EXPECT_NE(std::find(profile.serial_ports.begin(), profile.serial_ports.end(), profile.ir_port),
              profile.serial_ports.end());
    // Every profile offers application keys and an infrared port the IR setup would preselect.
    hkey keys = 0;
    ASSERT_EQ(open_registry_key(hkey_local_machine, L"Software\\Microsoft\\Shell\\Keys", keys), zq::rc::ok);
    std::wstring first_key;
    EXPECT_EQ(enumerate_registry_subkey(keys, 0, first_key), zq::rc::ok);
    EXPECT_EQ(first_key, L"40C1");
    EXPECT_EQ(close_registry_key(keys), zq::rc::ok);
    bool infrared = false;
    for (const std::wstring& entry : serial_port_entries())
      infrared = infrared || entry == profile.ir_port + L" Infrared Port";
    EXPECT_TRUE(infrared);
  }
}

TEST_F(DeviceProfileTest, TheDefaultIsAPortraitPxa255WithItsFfUartInInfraredMode) {
  device_profile profile;
  std::string problem;
  ASSERT_EQ(load_device_profile("", profile, problem), zq::rc::ok) << problem;
  EXPECT_EQ(profile.name, "qvga-portrait");
  EXPECT_EQ(profile.screen, (size{240, 320}));
  EXPECT_EQ(processor_text(profile.processor), "Intel PXA255");
  EXPECT_EQ(profile.processor.clock_hz, 400'000'000u);
  EXPECT_EQ(profile.family, "pxa25x");
  EXPECT_EQ(profile.ir_uart, 1);
  EXPECT_TRUE(profile.ir_mode_at_start);
  EXPECT_EQ(profile.ir_port, L"COM3:");

  EXPECT_EQ(serial_port_entries(), (std::vector<std::wstring>{L"COM1: Serial Cable on COM1:", L"COM2: IrCOMM on COM2: (IrDA)",
                                                              L"COM3: Infrared Port", L"COM8: Bluetooth Serial Port"}));
  EXPECT_EQ(string_at(hkey_local_machine, L"Software\\Microsoft\\Shell\\Keys\\40C4", L"Name"), L"Home");
  EXPECT_EQ(string_at(hkey_local_machine, L"Software\\Microsoft\\Shell\\Keys\\40C4", L"Icon"),
            L"\\Windows\\shellres.dll,-5121");
}

TEST_F(DeviceProfileTest, TheEnvironmentNamesAShippedProfileOrAFile) {
  const zqtest::temp_folder folder;
  const std::filesystem::path file = folder.path() / "tiny.reg";
  std::ofstream(file) << "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\Device Profile\\Screen]\r\n\"Width\"=dword:00000064\r\n"
                         "\"Height\"=dword:000000c8\r\n\"Dpi\"=dword:00000060\r\n"
                         "[HKEY_LOCAL_MACHINE\\Device Profile\\Processor]\r\n\"Name\"=\"SA1110\"\r\n";
  const char* saved = std::getenv("ZEQUON_DEVICE");
  const std::string before = saved != nullptr ? saved : "";

  device_profile profile;
  std::string problem;
  ::setenv("ZEQUON_DEVICE", "wvga-landscape", 1);
  ASSERT_EQ(load_device_profile_of_process(profile, problem), zq::rc::ok) << problem;
  EXPECT_EQ(profile.screen, (size{800, 480}));
  ::setenv("ZEQUON_DEVICE", file.c_str(), 1);
  ASSERT_EQ(load_device_profile_of_process(profile, problem), zq::rc::ok) << problem;
  EXPECT_EQ(profile.screen, (size{100, 200}));
  EXPECT_EQ(profile.name, file.string());
  EXPECT_EQ(processor_text(profile.processor), " SA1110");
  EXPECT_TRUE(profile.serial_ports.empty());

  if (saved != nullptr) {
    ::setenv("ZEQUON_DEVICE", before.c_str(), 1);
  } else {
    ::unsetenv("ZEQUON_DEVICE");
  }
}

TEST_F(DeviceProfileTest, AChoiceThatNamesNothingUsableIsAnErrorAndKeepsTheRegistry) {
  device_profile profile;
  std::string problem;
  ASSERT_EQ(load_device_profile("qvga-square", profile, problem), zq::rc::ok);

  const zqtest::temp_folder folder;
  const std::filesystem::path broken = folder.path() / "broken.reg";
  std::ofstream(broken) << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Device Profile\\Screen]\n\"Width\"=dword:xyz\n";
  const std::filesystem::path no_screen = folder.path() / "no_screen.reg";
  std::ofstream(no_screen) << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Device Profile\\Processor]\n\"Name\"=\"PXA255\"\n";
  const std::filesystem::path huge = folder.path() / "huge.reg";
  std::ofstream(huge) << "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Device Profile\\Screen]\n\"Width\"=dword:00010000\n"
                         "\"Height\"=dword:100\n\"Dpi\"=dword:60\n"
                         "[HKEY_LOCAL_MACHINE\\Device Profile\\Processor]\n\"Name\"=\"PXA255\"\n";

  EXPECT_EQ(load_device_profile("QVGA-Portrait", profile, problem), zq::rc::device_profile_unknown);
  EXPECT_NE(problem.find("qvga-portrait, qvga-square"), std::string::npos) << problem;
  EXPECT_EQ(load_device_profile((folder.path() / "missing.reg").string(), profile, problem),
            zq::rc::device_profile_unknown);
  EXPECT_EQ(load_device_profile(broken.string(), profile, problem), zq::rc::registry_text_malformed);
  EXPECT_NE(problem.find("line 3"), std::string::npos) << problem;
  EXPECT_EQ(load_device_profile(no_screen.string(), profile, problem), zq::rc::device_profile_incomplete);
  EXPECT_EQ(load_device_profile(huge.string(), profile, problem), zq::rc::device_profile_incomplete);

  EXPECT_EQ(profile.name, "qvga-square") << "a refused choice leaves the description as it was";
  EXPECT_EQ(string_at(hkey_local_machine, L"Device Profile", L""), L"Pocket PC, square 240 x 240");
}

}  // namespace
