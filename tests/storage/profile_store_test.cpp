#include <gtest/gtest.h>

#include <string>

#include "storage/database_catalog.h"
#include "storage/main_profile.h"
#include "storage/preferences.h"
#include "storage/room_document.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using names_t = std::vector<std::string>;

class ProfileStore : public ::testing::Test {
 protected:
  void SetUp() override { catalog_.set_up(folder_.device_path() + L"Preferences", xman::preferences::filter()); }

  static remote::room_state room_with(const std::string& current) {
    remote::room_state room;
    room.current = current;
    room.hot_buttons[0] = {"hot", current, 1};
    return room;
  }
  static bytes document_of(const remote::room_state& room) {
    bytes document;
    EXPECT_EQ(xman::write_room_document(room, document), 0);
    return document;
  }
  bytes main_file() const { return zqtest::read_bytes(folder_.path() / "zq-main-profile.pdb"); }
  bytes preference_file(const std::string& file) const {
    return zqtest::read_bytes(folder_.path() / "Preferences" / file);
  }
  names_t preference_files() const { return zqtest::listing(folder_.path() / "Preferences"); }

  zqtest::temp_folder folder_;
  xman::main_profile profile_{folder_.device_path("zq-main-profile.pdb")};
  xman::database_catalog catalog_;
  xman::settings settings_{folder_.device_path("Zequon.pref")};
  xman::preferences preferences_{catalog_, profile_, settings_};
};

TEST_F(ProfileStore, MainProfileIsOneDatabaseWithTheRoomAsItsOnlyRecord) {
  remote::room_state room = room_with("TV");
  remote::room_state loaded = room_with("untouched");
  ASSERT_EQ(profile_.load(loaded, nullptr), 0);  // no file yet: the room keeps its state
  EXPECT_EQ(loaded, room_with("untouched"));

  room.name = "Somewhere";
  ASSERT_EQ(profile_.save(room), 0);
  EXPECT_EQ(room.name, "Default Room");
  EXPECT_EQ(main_file(), zqtest::database_image("zq-main-profile", "dPrf", 0, {document_of(room_with("TV"))}));
  EXPECT_EQ(zqtest::listing(folder_.path()), (names_t{"zq-main-profile.pdb"}));
  ASSERT_EQ(profile_.load(loaded, nullptr), 0);
  EXPECT_EQ(loaded, room_with("TV"));

  zqtest::write_bytes(folder_.path() / "zq-main-profile.pdb", zqtest::database_image("zq-main-profile", "dPrf", 0, {}));
  EXPECT_EQ(profile_.load(loaded, nullptr), zq::rc::file_too_short);
}

TEST_F(ProfileStore, PreferencesAreWholeCopiesOfTheMainProfile) {
  remote::room_state room = room_with("TV");
  ASSERT_EQ(profile_.save(room), 0);
  ASSERT_EQ(preferences_.save_as("Den"), 0);
  EXPECT_EQ(preference_file("Den.pdb"), zqtest::database_image("Den", "Prof", 0, {document_of(room_with("TV"))}));
  EXPECT_TRUE(preferences_.exists("Den"));

  // Saving under the name again replaces that database in its file.
  room = room_with("DVD");
  ASSERT_EQ(profile_.save(room), 0);
  ASSERT_EQ(preferences_.save_as("Den"), 0);
  ASSERT_EQ(preferences_.save_as("Attic"), 0);
  EXPECT_EQ(preference_files(), (names_t{"Attic.pdb", "Den.pdb"}));
  EXPECT_EQ(preference_file("Den.pdb"), zqtest::database_image("Den", "Prof", 0, {document_of(room_with("DVD"))}));
  EXPECT_EQ(preferences_.list(true), (names_t{"Attic", "Den"}));

  // Loading makes the preference's record the main profile's.
  zqtest::write_bytes(folder_.path() / "Preferences" / "Den.pdb", zqtest::database_image("Den", "Prof", 0, {{1, 2}}));
  ASSERT_EQ(preferences_.load("Den"), 0);
  EXPECT_EQ(main_file(), zqtest::database_image("zq-main-profile", "dPrf", 0, {{1, 2}}));

  ASSERT_EQ(preferences_.remove("Attic"), 0);
  EXPECT_EQ(preferences_.list(true), (names_t{"Den"}));
}

TEST_F(ProfileStore, RememberAndForgetKeepTheRecentNamesInTheSettingsFile) {
  for (const char* name : {"A", "B", "C", "D", "E", "F", "D"}) ASSERT_EQ(preferences_.remember(name), 0);
  ASSERT_EQ(preferences_.forget("E"), 0);
  EXPECT_EQ(preferences_.forget("A"), -1);  // dropped by the sixth name
  xman::settings stored(folder_.device_path("Zequon.pref"));
  ASSERT_EQ(stored.load(), 0);
  const char* expected[] = {"D", "F", "C", "B", ""};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(stored.recent_name(i), expected[i]) << i;
}

TEST_F(ProfileStore, FailuresChangeNothing) {
  EXPECT_EQ(preferences_.save_as("Den"), zq::rc::open_system_error);  // no main profile to copy
  EXPECT_FALSE(preferences_.exists("Den"));

  remote::room_state room = room_with("TV");
  ASSERT_EQ(profile_.save(room), 0);
  const bytes before = main_file();
  EXPECT_EQ(preferences_.save_as(std::string(32, 'n')), zq::rc::create_failed);
  EXPECT_EQ(preferences_.load("Nowhere"), -1);

  // A preference without its record cannot be loaded.
  std::filesystem::create_directory(folder_.path() / "Preferences");
  zqtest::write_bytes(folder_.path() / "Preferences" / "empty.pdb", zqtest::database_image("Empty", "Prof", 0, {}));
  catalog_.scan();
  EXPECT_EQ(preferences_.load("Empty"), zq::rc::file_too_short);
  EXPECT_EQ(main_file(), before);
  EXPECT_EQ(preference_files(), (names_t{"empty.pdb"}));
}

}  // namespace
