// zqtool skin build / list run as the built program; the library is read back by the module, by
// the tool itself and by wrestool (icoutils), a standard reader of such files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/module.h"
#include "storage/meta_text.h"
#include "support/bitmap_bytes.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using zqtest::run_zqtool;

class SkinTool : public ::testing::Test {
 protected:
  SkinTool() {
    std::filesystem::create_directories(dir_.path() / "src" / "images");
    spill("src/manifest.txt",
          "# a test skin\n"
          "string 3116 \"Power\"\n"
          "string 3117 \"Say \\\"hi\\\"\\n\"\n"
          "ZQED 1000 marker.bin\n"
          "USKN 1000 marker.bin\n"
          "  Sdat 4096 page.meta --names   \n"
          "\n"
          "2 1001 images/face.bmp\n"
          "PNG 1002 images/face.bmp\n"
          "WAVE 165 click.wav\n");
    spill("src/marker.bin", "1");
    spill("src/page.meta", "service {\n  page {\n    button {\n      x = int16 4\n    }\n  }\n}\n");
    spill("src/click.wav", std::string("RIFF\x04\0\0\0WAVE", 12));
    const std::vector<std::uint8_t> bmp = zqtest::bmp_file(2, 2, {1, 2, 3, 4});
    spill("src/images/face.bmp", std::string(bmp.begin(), bmp.end()));
  }
  std::string file(const std::string& name) const { return (dir_.path() / name).string(); }
  void spill(const std::string& name, const std::string& content) const {
    std::ofstream(file(name), std::ios::binary) << content;
  }
  zqtest::temp_folder dir_;
};

TEST_F(SkinTool, BuildsALibraryWhoseEveryResourceReadsBack) {
  const zqtest::tool_run build = run_zqtool({"skin", "build", file("src"), file("skin.dll")});
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(build.out + build.err, "");

  std::vector<std::uint8_t> page;
  meta::text_error error;
  ASSERT_EQ(meta::compile(zqtest::read_text(file("src/page.meta")), {.index_names = true}, page, error), 0);
  // Named types first (stored in upper case), in letter order, then numbered ones.
  const zqtest::tool_run list = run_zqtool({"skin", "list", file("skin.dll")});
  EXPECT_EQ(list.status, 0);
  EXPECT_EQ(list.out, "PNG 1002 70\nSDAT 4096 " + std::to_string(page.size()) +
                          "\nUSKN 1000 1\nWAVE 165 12\nZQED 1000 1\n2 1001 56\n6 195 " +
                          std::to_string(2 * 16 + 2 * 5 + 2 * 9) + "\n");

  platform::module skin;
  ASSERT_EQ(platform::load_module_file(platform::device_path(file("skin.dll")), skin), zq::rc::ok);
  std::span<const std::uint8_t> data;
  ASSERT_EQ(skin.load("Sdat", 4096, data), zq::rc::ok);
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.end()), page);
  ASSERT_EQ(skin.load(2, 1001, data), zq::rc::ok);
  EXPECT_EQ(std::string(data.begin(), data.end()), zqtest::read_text(file("src/images/face.bmp")).substr(14));
  std::wstring text;
  EXPECT_EQ(skin.load_string(3117, text), zq::rc::ok);
  EXPECT_EQ(text, L"Say \"hi\"\n");
  const platform::pixel_surface* bitmap = nullptr;
  const platform::pixel_surface* png = nullptr;
  ASSERT_EQ(skin.image(1001, bitmap), zq::rc::ok);
  ASSERT_EQ(skin.image(1002, png), zq::rc::ok);
  EXPECT_EQ(bitmap->pixels(), (std::vector<std::uint32_t>{1, 2, 3, 4}));
  EXPECT_EQ(*png, *bitmap);
  ASSERT_EQ(skin.wave(165, data), zq::rc::ok);

  // wrestool lists the same resources with their sizes.
  const std::string listing = file("wrestool.txt");
  ASSERT_EQ(std::system(("wrestool -l '" + file("skin.dll") + "' > '" + listing + "'").c_str()), 0);
  const std::string wrestool = zqtest::read_text(listing);
  for (const char* expected : {"--type='PNG' --name=1002 --language=1033 [offset=", "size=70]",
                               "--type='SDAT' --name=4096", "--type=2 --name=1001 --language=1033",
                               "--type=6 --name=195", "--type='WAVE' --name=165"}) {
    EXPECT_NE(wrestool.find(expected), std::string::npos) << expected << " in\n" << wrestool;
  }
}

TEST_F(SkinTool, FailuresLeaveTheOldLibraryWhole) {
  ASSERT_EQ(run_zqtool({"skin", "build", file("src"), file("skin.dll")}).status, 0);
  const std::string old = zqtest::read_text(file("skin.dll"));
  const struct {
    const char* manifest;
    const char* err;
  } cases[] = {
      {"Sdat 4096\n", "manifest.txt:1: expected a file after the id\n"},
      {"Sdat 1 marker.bin\nsdat 1 click.wav\n", "manifest.txt:2: resource sdat 1 appears twice\n"},
      {"string 70000 \"x\"\n", "manifest.txt:1: string id \"70000\" is not a number up to 65535\n"},
      {"string 1 \"open\n", "manifest.txt:1: expected a quoted text\n"},
      {"string 1 \"x\"\n6 1 marker.bin\n", "manifest.txt:2: resource 6 1 is also a block of the string entries\n"},
      {"1 1 marker.bin --names\n", "manifest.txt:1: unexpected \"--names\"\n"},
      {"1 1 missing.bin\n", "missing.bin: cannot be read\nerror: 2\n"},
      {"1 1 bad.meta\n", "bad.meta:1: "},
  };
  spill("src/bad.meta", "page {\n");
  for (const auto& c : cases) {
    spill("src/manifest.txt", c.manifest);
    const zqtest::tool_run build = run_zqtool({"skin", "build", file("src"), file("skin.dll")});
    EXPECT_EQ(build.status, 1) << c.manifest;
    EXPECT_NE(build.err.find(c.err), std::string::npos) << c.manifest << build.err;
    EXPECT_EQ(zqtest::read_text(file("skin.dll")), old) << c.manifest;
  }
  EXPECT_FALSE(std::filesystem::exists(file("skin.dll.new")));

  // A cut library is refused as a whole.
  spill("cut.dll", old.substr(0, old.size() - 1));
  const zqtest::tool_run list = run_zqtool({"skin", "list", file("cut.dll")});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.out, "");
  EXPECT_EQ(list.err, "error: 1102\n");
  EXPECT_EQ(run_zqtool({"skin", "list", file("missing.dll")}).err, "error: 2\n");
}

}  // namespace
