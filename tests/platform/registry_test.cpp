// The device registry: REGEDIT4 text read into it, then opened, queried and enumerated through
// handles the way the program reads it.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"

namespace {

using namespace platform;

class RegistryTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(open_registry_key_count(), 0u) << "a handle was left open";
    replace_registry({});
  }

  static void load(std::string_view text) {
    registry_text_error error;
    ASSERT_EQ(load_registry_text(text, error), zq::rc::ok) << "line " << error.line << ": " << error.reason;
  }
};

constexpr std::string_view sample =
    "\xEF\xBB\xBFREGEDIT4\r\n"
    "\r\n"
    "; drivers\r\n"
    "[HKEY_LOCAL_MACHINE\\Drivers\\Active\\02]\r\n"
    "\"Name\"=\"COM1:\"\r\n"
    "  \"Key\" = \"Drivers\\\\BuiltIn\\\\Serial\"  \r\n"
    "[hklm\\drivers\\active\\01]\r\n"
    "@=\"default \\\"quoted\\\"\"\r\n"
    "\"Count\"=dword:1F\r\n"
    "\"Bytes\"=hex:01, 2,ff,\\\r\n"
    "    0a\r\n"
    "\"count\"=dword:ffffffff\r\n"
    "[HKEY_CURRENT_USER\\Settings]\r\n"
    "\"Empty\"=hex:\r\n";

TEST_F(RegistryTest, TextIsReadWithEscapesDefaultValuesBytesAndNamesIgnoringCase) {
  load(sample);
  hkey active = 0;
  ASSERT_EQ(open_registry_key(hkey_local_machine, L"DRIVERS\\active", active), zq::rc::ok);

  // Subkeys in the order the text created them; the second spelling found the same key.
  std::wstring name;
  ASSERT_EQ(enumerate_registry_subkey(active, 0, name), zq::rc::ok);
  EXPECT_EQ(name, L"02");
  ASSERT_EQ(enumerate_registry_subkey(active, 1, name), zq::rc::ok);
  EXPECT_EQ(name, L"01");
  EXPECT_EQ(enumerate_registry_subkey(active, 2, name), zq::rc::registry_no_more_items);

  hkey port = 0;
  ASSERT_EQ(open_registry_key(active, L"02", port), zq::rc::ok);
  std::wstring text;
  ASSERT_EQ(query_registry_string(port, L"key", text), zq::rc::ok);
  EXPECT_EQ(text, L"Drivers\\BuiltIn\\Serial");
  EXPECT_EQ(close_registry_key(port), zq::rc::ok);

  hkey first = 0;
  ASSERT_EQ(open_registry_key(hkey_local_machine, L"Drivers\\Active\\01", first), zq::rc::ok);
  ASSERT_EQ(query_registry_string(first, L"", text), zq::rc::ok);
  EXPECT_EQ(text, L"default \"quoted\"");
  std::uint32_t number = 0;
  ASSERT_EQ(query_registry_number(first, L"COUNT", number), zq::rc::ok);
  EXPECT_EQ(number, 0xFFFFFFFFu) << "a later value of the same name replaces the first";
  EXPECT_EQ(query_registry_string(first, L"Count", text), zq::rc::registry_wrong_type);
  EXPECT_EQ(query_registry_number(first, L"Missing", number), zq::rc::registry_value_not_found);

  registry_value value;
  ASSERT_EQ(enumerate_registry_value(first, 2, value), zq::rc::ok);
  EXPECT_EQ(value.name, L"Bytes");
  EXPECT_EQ(value.type, registry_type::binary);
  EXPECT_EQ(value.bytes, (std::vector<std::uint8_t>{0x01, 0x02, 0xFF, 0x0A}));
  EXPECT_EQ(enumerate_registry_value(first, 3, value), zq::rc::registry_no_more_items);
  EXPECT_EQ(close_registry_key(first), zq::rc::ok);

  hkey settings = 0;
  ASSERT_EQ(open_registry_key(hkey_current_user, L"Settings", settings), zq::rc::ok);
  ASSERT_EQ(query_registry_value(settings, L"Empty", value), zq::rc::ok);
  EXPECT_TRUE(value.bytes.empty());
  EXPECT_EQ(close_registry_key(settings), zq::rc::ok);
  EXPECT_EQ(close_registry_key(active), zq::rc::ok);
}

TEST_F(RegistryTest, HandlesAreCheckedAndOutliveTheContent) {
  load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\B]\n\"v\"=\"old\"\n");
  hkey missing = 0;
  EXPECT_EQ(open_registry_key(hkey_local_machine, L"A\\C", missing), zq::rc::registry_key_not_found);
  EXPECT_EQ(open_registry_key(hkey_local_machine, L"A\\\\B", missing), zq::rc::registry_key_not_found);
  EXPECT_EQ(open_registry_key(hkey_current_user, L"A", missing), zq::rc::registry_key_not_found);

  hkey b = 0;
  ASSERT_EQ(open_registry_key(hkey_local_machine, L"a\\b", b), zq::rc::ok);
  load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\B]\n\"v\"=\"new\"\n");
  std::wstring text;
  ASSERT_EQ(query_registry_string(b, L"v", text), zq::rc::ok);
  EXPECT_EQ(text, L"old") << "an open handle keeps its key";
  EXPECT_EQ(close_registry_key(b), zq::rc::ok);

  // A closed handle, a handle never given out and a parent that is no handle are all refused.
  EXPECT_EQ(close_registry_key(b), zq::rc::registry_key_not_found);
  EXPECT_EQ(query_registry_string(b, L"v", text), zq::rc::registry_key_not_found);
  std::wstring name;
  EXPECT_EQ(enumerate_registry_subkey(0x1234567, 0, name), zq::rc::registry_key_not_found);
  EXPECT_EQ(open_registry_key(b, L"", missing), zq::rc::registry_key_not_found);
}

TEST_F(RegistryTest, MalformedTextIsRefusedWithItsLineAndChangesNothing) {
  load("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Kept]\n");
  const std::string long_name(256, 'k');
  const struct {
    std::string text;
    std::size_t line;
  } cases[] = {
      {"", 0},
      {"; only a comment\n", 0},
      {"REGEDIT5\n", 1},
      {"REGEDIT4\n\"v\"=\"before any key\"\n", 2},
      {"REGEDIT4\n[HKEY_CLASSES_ROOT\\A]\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\\\B]\n", 2},
      {"REGEDIT4\n[-HKEY_LOCAL_MACHINE\\A]\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\" + long_name + "]\n", 2},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"open\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"C:\\Windows\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"a\" \"b\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"\"=\"x\"\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:123456789\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=dword:12g\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01 02\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,\\\n  zz\n", 4},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex:01,\\\n", 4},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=hex(2):00\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=-\n", 3},
      {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\nstray words\n", 3},
  };
  for (const auto& c : cases) {
    registry_text_error error;
    EXPECT_EQ(load_registry_text(c.text, error), zq::rc::registry_text_malformed) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text << " -> " << error.reason;
    EXPECT_FALSE(error.reason.empty());
  }
  std::string deep = "REGEDIT4\n[HKEY_LOCAL_MACHINE";
  for (std::size_t i = 0; i <= max_registry_depth; ++i) deep += "\\k";
  registry_text_error error;
  EXPECT_EQ(load_registry_text(deep + "]\n", error), zq::rc::registry_text_malformed);

  hkey kept = 0;
  ASSERT_EQ(open_registry_key(hkey_local_machine, L"Kept", kept), zq::rc::ok);
  EXPECT_EQ(close_registry_key(kept), zq::rc::ok);
}

}  // namespace
