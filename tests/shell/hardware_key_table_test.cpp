// The hardware key table read from the device registry: which subkeys are keys, their order, the
// display names and icons, and the navigation pad after them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/device_profile.h"
#include "platform/registry.h"
#include "shell/hardware_key_table.h"

namespace {

using outworld::hardware_key_entry;

class HardwareKeyTableTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::replace_registry({}); }

  static void load(std::string_view text) {
    platform::registry_text_error error;
    ASSERT_EQ(platform::load_registry_text(text, error), zq::rc::ok) << "line " << error.line << ": " << error.reason;
  }

  // "name|display|icon file|index|code|modifiers", one line per entry.
  static std::vector<std::string> described(const std::vector<hardware_key_entry>& table) {
    std::vector<std::string> out;
    for (const hardware_key_entry& e : table) {
      char numbers[64];
      std::snprintf(numbers, sizeof numbers, "|%d|0x%x|%u", e.icon_index, e.virtual_key, e.modifiers);
      out.push_back(std::string(e.key_name.begin(), e.key_name.end()) + "|" +
                    std::string(e.display_name.begin(), e.display_name.end()) + "|" +
                    std::string(e.icon_file.begin(), e.icon_file.end()) + numbers);
    }
    return out;
  }
};

const std::vector<std::string> navigation_pad{"Left|Left||0|0x25|0", "Right|Right||0|0x27|0", "Up|Up||0|0x26|0",
                                              "Down|Down||0|0x28|0", "Select|Select||0|0x86|0"};

std::vector<std::string> with_pad(std::vector<std::string> keys) {
  keys.insert(keys.end(), navigation_pad.begin(), navigation_pad.end());
  return keys;
}

TEST_F(HardwareKeyTableTest, OnlyFortyCAndOneDigitAreKeysOrderedByCode) {
  // Created out of order, with names that look like keys but are not.
  load(R"(REGEDIT4
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40CF]
"Name"="Camera"
"Icon"="\\Windows\\camera.exe,2"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40Cb]
"Name"="Lower case digit"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40c3]
"Name"="Lower case c"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C0]
"Name"="Digit zero"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C10]
"Name"="Five characters"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40CG]
"Name"="Not a digit"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\41C2]
"Name"="Other prefix"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C2]
"Name"="Contacts"
"Icon"="\\Program Files\\Tools, Misc\\remote.dll,-5"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40C9]
"Icon"="no comma"
[HKEY_LOCAL_MACHINE\Software\Microsoft\Shell\Keys\40CA]
"Name"=dword:00000001
"Icon"="\\Windows\\odd.exe,five"
)");
  const auto table = outworld::read_hardware_key_table();
  EXPECT_EQ(described(table), with_pad({
                                  "40C2|Contacts|\\Program Files\\Tools, Misc\\remote.dll|-5|0xc2|8",
                                  "40C9|Button||0|0xc9|8",
                                  "40CA|Button||0|0xca|8",
                                  "40Cb|Lower case digit||0|0xcb|8",
                                  "40CF|Camera|\\Windows\\camera.exe|2|0xcf|8",
                              }));
  EXPECT_EQ(platform::open_registry_key_count(), 0u);
}

TEST_F(HardwareKeyTableTest, AShippedDeviceProfileGivesItsKeysThenThePad) {
  std::string_view text;
  for (const auto& profile : platform::shipped_device_profiles()) {
    if (profile.name == "qvga-square") text = profile.text;
  }
  ASSERT_FALSE(text.empty());
  load(text);
  EXPECT_EQ(described(outworld::read_hardware_key_table()),
            with_pad({"40C1|Calendar|\\Windows\\calendar.exe|0|0xc1|8", "40C2|Contacts|\\Windows\\addrbook.exe|0|0xc2|8",
                      "40C3|Button||0|0xc3|8", "40C4|Home|\\Windows\\shellres.dll|-5121|0xc4|8"}));
  EXPECT_EQ(platform::open_registry_key_count(), 0u);
}

TEST_F(HardwareKeyTableTest, WithoutTheKeysKeyOnlyThePadIsOffered) {
  load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Shell]\n\"Other\"=\"value\"\n");
  EXPECT_EQ(described(outworld::read_hardware_key_table()), navigation_pad);
  platform::replace_registry({});
  EXPECT_EQ(described(outworld::read_hardware_key_table()), navigation_pad);
  EXPECT_EQ(platform::open_registry_key_count(), 0u);
}

TEST(HardwareKeyIcon, TheIndexFollowsTheLastCommaAndMustBeADecimalNumber) {
  struct icon_case {
    std::wstring_view value;
    bool has_icon;
    std::wstring_view file;
    std::int32_t index;
  };
  const icon_case cases[] = {
      {L"\\Windows\\file.dll,-5", true, L"\\Windows\\file.dll", -5},
      {L"a,b,7", true, L"a,b", 7},
      {L",+12", true, L"", 12},
      {L"x,-2147483648", true, L"x", -2147483647 - 1},
      {L"x,2147483647", true, L"x", 2147483647},
      {L"x,2147483648", false, L"", 0},
      {L"x,-2147483649", false, L"", 0},
      {L"x,99999999999999999999", false, L"", 0},
      {L"x,", false, L"", 0},
      {L"x,-", false, L"", 0},
      {L"x,12abc", false, L"", 0},
      {L"x, 3", false, L"", 0},
      {L"x.dll", false, L"", 0},
      {L"", false, L"", 0},
  };
  for (const icon_case& c : cases) {
    const auto icon = outworld::split_icon_value(c.value);
    const std::string shown(c.value.begin(), c.value.end());
    ASSERT_EQ(icon.has_value(), c.has_icon) << shown;
    if (!icon) continue;
    EXPECT_EQ(icon->file, c.file) << shown;
    EXPECT_EQ(icon->index, c.index) << shown;
  }
}

}  // namespace
