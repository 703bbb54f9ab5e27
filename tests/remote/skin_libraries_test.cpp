// The skin libraries on real library files that zqtool builds: which of a folder's libraries are
// skins, the default skin first, and the references that keep a library loaded and current.
#include "remote/skin_libraries.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "platform/file_system.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

class SkinLibraries : public ::testing::Test {
 protected:
  // Builds NAME.dll in the skins folder from a manifest of the given lines (each names marker.bin).
  void build(const std::string& name, const std::string& manifest) {
    const std::filesystem::path source = folder_.path() / ("src-" + name);
    std::filesystem::create_directories(source);
    std::ofstream(source / "marker.bin") << "skin";
    std::ofstream(source / "manifest.txt") << manifest;
    const zqtest::tool_run run =
        zqtest::run_zqtool({"skin", "build", source.string(), (skins_ / (name + ".dll")).string()});
    ASSERT_EQ(run.status, 0) << run.err;
  }
  void build_skin(const std::string& name) { build(name, "ZQED 1000 marker.bin\nUSKN 1000 marker.bin\n"); }

  zqtest::temp_folder folder_;
  std::filesystem::path skins_ = folder_.path() / "Skins";
  remote::skin_libraries libraries_{folder_.device_path() + L"Skins"};
};

TEST_F(SkinLibraries, ListsTheSkinsOfTheFolderWithTheDefaultSkinFirst) {
  std::filesystem::create_directories(skins_);
  build_skin("alpha");
  build_skin("zq-skin-metalic");
  build("no-skin-marker", "ZQED 1000 marker.bin\n");
  build("wrong-id", "ZQED 1000 marker.bin\nUSKN 1001 marker.bin\n");
  std::ofstream(skins_ / "broken.dll") << "not a library";
  std::ofstream(skins_ / "readme.txt") << "not a library either";
  ASSERT_EQ(libraries_.load(L"alpha"), 0);
  ASSERT_TRUE(libraries_.select(L"alpha"));
  platform::module* before = libraries_.current();

  EXPECT_EQ(libraries_.list(), (std::vector<std::wstring>{L"zq-skin-metalic", L"alpha"}));
  // Listing leaves the current skin and what is held as they were.
  EXPECT_EQ(libraries_.current(), before);
  EXPECT_EQ(libraries_.references(L"alpha"), 1);
  EXPECT_FALSE(libraries_.is_loaded(L"zq-skin-metalic"));
  EXPECT_FALSE(libraries_.is_loaded(L"no-skin-marker"));
}

TEST_F(SkinLibraries, TheDefaultSkinIsNamedEvenWhenTheFolderLacksItOrIsMissing) {
  EXPECT_EQ(libraries_.list(), std::vector<std::wstring>{L"zq-skin-metalic"});
  EXPECT_EQ(libraries_.load(remote::system_skin_name), ENOENT);
  EXPECT_EQ(libraries_.current(), nullptr);
}

TEST_F(SkinLibraries, ALibraryStaysLoadedAndCurrentUntilItsLastReferenceGoes) {
  std::filesystem::create_directories(skins_);
  build_skin("zq-skin-system");
  EXPECT_FALSE(libraries_.select(L"zq-skin-system"));  // not loaded yet
  ASSERT_EQ(libraries_.load(L"zq-skin-system"), 0);
  ASSERT_EQ(libraries_.load(L"zq-skin-system"), 0);
  ASSERT_TRUE(libraries_.select(L"zq-skin-system"));
  ASSERT_NE(libraries_.current(), nullptr);
  EXPECT_TRUE(remote::skin_libraries::is_skin(*libraries_.current()));
  libraries_.release(L"zq-skin-system");
  EXPECT_TRUE(libraries_.is_loaded(L"zq-skin-system"));
  EXPECT_NE(libraries_.current(), nullptr);
  libraries_.release(L"zq-skin-system");
  EXPECT_FALSE(libraries_.is_loaded(L"zq-skin-system"));
  EXPECT_EQ(libraries_.current(), nullptr);  // never left pointing at a freed library
  libraries_.release(L"zq-skin-system");     // one release too many does nothing
  EXPECT_EQ(libraries_.references(L"zq-skin-system"), 0);
}

}  // namespace

namespace {

TEST(ShippedSkins, BothSkinsBuiltWithTheProgramAreSkinsTheDefaultOneFirst) {
  remote::skin_libraries shipped(platform::device_path(ZQ_SKIN_FOLDER));
  ASSERT_EQ(shipped.load(remote::default_skin_name), 0);
  ASSERT_TRUE(shipped.select(remote::default_skin_name));
  EXPECT_TRUE(remote::skin_libraries::is_skin(*shipped.current()));
  EXPECT_EQ(shipped.list(), (std::vector<std::wstring>{L"zq-skin-metalic", L"zq-skin-system"}));
}

}  // namespace
