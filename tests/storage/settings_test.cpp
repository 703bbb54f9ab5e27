// The settings file "Zequon.pref": its byte layout in both sizes, the recent list, the port rule,
// and that every change replaces the file whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "storage/settings.h"
#include "storage/settings_file.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using names = std::array<std::string, 5>;

const char kFile[] = "Zequon.pref";

bytes file_bytes(const zqtest::temp_folder& folder) {
  bytes content;
  EXPECT_EQ(platform::read_whole_file(folder.device_path(kFile), content), 0);
  return content;
}

xman::settings_values loaded(const zqtest::temp_folder& folder) {
  xman::settings fresh(folder.device_path(kFile));
  EXPECT_EQ(fresh.load(), 0);
  return fresh.values();
}

void put_units(bytes& out, std::u16string_view units) {
  for (const char16_t u : units) out.insert(out.end(), {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8)});
}

TEST(Settings, EmptyImportFolderGivesA188ByteFileThatReadsBackEveryField) {
  zqtest::temp_folder folder;
  xman::settings s(folder.device_path(kFile));
  ASSERT_EQ(s.set_first_run(false), 0);
  ASSERT_EQ(s.make_most_recent("Den"), 0);
  ASSERT_EQ(s.set_ir_port(L"COM3:"), 0);
  ASSERT_EQ(s.set_import_folder(L""), 0);
  ASSERT_EQ(s.set_screen_orientation(2), 0);
  ASSERT_EQ(s.set_screen_class(5), 0);
  ASSERT_EQ(s.set_use_sounds(true), 0);

  bytes expected{0, 'D', 'e', 'n'};
  expected.resize(161, 0);
  put_units(expected, std::u16string_view(u"COM3:\0\0", 7));
  expected.insert(expected.end(), {0, 0, 2, 0, 0, 0, 5, 0, 0, 0, 1, 0x21, 0x21});
  EXPECT_EQ(file_bytes(folder), expected);
  EXPECT_EQ(loaded(folder), s.values());
  EXPECT_EQ(loaded(folder).import_folder, L"");

  ASSERT_EQ(s.set_import_folder(L"\\My Documents"), 0);
  EXPECT_EQ(file_bytes(folder).size(), 188u + 2 * 13);
  EXPECT_EQ(loaded(folder), s.values());
}

TEST(Settings, FileSizeChoosesTheLayoutAndDamagedFieldsReadAsDefaults) {
  bytes head{0};
  head.resize(161, 0);
  put_units(head, std::u16string_view(u"IR1\0\0\0\0", 7));
  bytes odd = head;  // the older layout: everything after the port is the folder
  put_units(odd, std::u16string_view(u"\\Old\0\x0102", 6));  // 187 bytes
  bytes bad_screen = head;
  put_units(bad_screen, std::u16string_view(u"\0", 1));
  bad_screen.insert(bad_screen.end(), {4, 0, 0, 0, 7, 0, 0, 0, 1, 0x21, 0x21});  // orientation 4, class 7
  bytes cut = head;
  cut.resize(100);
  const struct {
    const char* name;
    bytes content;
    std::wstring folder, port;
    std::int32_t orientation, screen_class;
    bool sounds;
  } cases[] = {
      {"odd", odd, L"\\Old", L"IR1", -1, -1, false},
      {"out of range", bad_screen, L"", L"IR1", -1, -1, true},
      {"cut in the recent list", cut, L"\\", L"", -1, -1, false},
  };
  for (const auto& c : cases) {
    zqtest::temp_folder folder;
    xman::settings s(folder.device_path(kFile));
    ASSERT_EQ(s.set_screen_class(4), 0);  // a reread starts from the defaults
    ASSERT_EQ(s.set_use_sounds(true), 0);
    zqtest::write_bytes(folder.path() / kFile, c.content);
    ASSERT_EQ(s.load(), 0);
    const xman::settings_values& v = s.values();
    EXPECT_FALSE(v.first_run) << c.name;
    EXPECT_EQ(v.import_folder, c.folder) << c.name;
    EXPECT_EQ(v.ir_port, c.port) << c.name;
    EXPECT_EQ(v.orientation, c.orientation) << c.name;
    EXPECT_EQ(v.screen_class, c.screen_class) << c.name;
    EXPECT_EQ(v.use_sounds, c.sounds) << c.name;
  }
  zqtest::temp_folder none;
  xman::settings missing(none.device_path(kFile));
  EXPECT_NE(missing.load(), 0);
  EXPECT_EQ(missing.values(), xman::settings_values{});
}

TEST(Settings, RecentListMovesNamesToTheFrontAndRemovesThem) {
  zqtest::temp_folder folder;
  xman::settings s(folder.device_path(kFile));
  for (const char* name : {"A", "B", "C", "D", "E"}) ASSERT_EQ(s.make_most_recent(name), 0);
  EXPECT_EQ(s.values().recent, (names{"E", "D", "C", "B", "A"}));
  ASSERT_EQ(s.make_most_recent("F"), 0);  // a sixth name drops the oldest
  EXPECT_EQ(s.values().recent, (names{"F", "E", "D", "C", "B"}));
  ASSERT_EQ(s.make_most_recent("C"), 0);  // an existing name moves without a duplicate
  EXPECT_EQ(s.values().recent, (names{"C", "F", "E", "D", "B"}));
  EXPECT_EQ(s.remove_recent("c"), -1);
  ASSERT_EQ(s.remove_recent("F"), 0);
  EXPECT_EQ(s.values().recent, (names{"C", "E", "D", "B", ""}));
  ASSERT_EQ(s.make_most_recent(std::string(40, 'x')), 0);  // cut to what its slot holds
  EXPECT_EQ(s.recent_name(0), std::string(31, 'x'));
  EXPECT_EQ(s.recent_name(5), "");
  EXPECT_EQ(loaded(folder).recent, s.values().recent);
}

TEST(Settings, IrPortKeepsAtMostSixCharacters) {
  zqtest::temp_folder folder;
  xman::settings s(folder.device_path(kFile));
  for (const auto& [given, kept] : {std::pair{L"COM1:", L"COM1:"}, std::pair{L"ABCDEF", L"ABCDEF"},
                                    std::pair{L"ABCDEFG", L"ABCDEF"}, std::pair{L"IrDA port", L"IrDA p"},
                                    std::pair{L"", L""}}) {
    ASSERT_EQ(s.set_ir_port(given), 0);
    EXPECT_EQ(s.ir_port(), kept);
    EXPECT_EQ(loaded(folder).ir_port, kept);
  }
}

TEST(Settings, FailedRewriteLeavesTheOldFileWholeAndReportsTheFailure) {
  zqtest::temp_folder folder;
  xman::settings s(folder.device_path(kFile));
  ASSERT_EQ(s.set_import_folder(L"\\Old folder"), 0);
  const bytes before = file_bytes(folder);
  for (long n = 1;; ++n) {
    for (const bool sticky : {false, true}) {
      platform::file_faults::reset();
      platform::file_faults::fail_operation(n, sticky);
      const zq::result_t result = s.set_import_folder(L"\\New");
      platform::file_faults::fail_operation(0);
      if (result == 0) {
        EXPECT_EQ(loaded(folder).import_folder, L"\\New");
        return;
      }
      EXPECT_EQ(file_bytes(folder), before) << n;
      if (!sticky) {
        EXPECT_FALSE(std::filesystem::exists(folder.path() / "Zequon.pref.new")) << n;
      }
    }
  }
}

TEST(Settings, ProcessWideObjectReadsTheFileWhosePathWasSetFirst) {
  zqtest::temp_folder folder;
  xman::settings writer(folder.device_path(kFile));
  ASSERT_EQ(writer.set_screen_class(3), 0);
  xman::settings::set_path(folder.device_path(kFile));
  EXPECT_EQ(xman::settings::instance().screen_class(), 3);
  EXPECT_EQ(&xman::settings::instance(), &xman::settings::instance());
}

}  // namespace
