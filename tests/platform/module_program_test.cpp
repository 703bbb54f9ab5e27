// The test program's own resources, embedded by the build helpers (tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/module_program.h"
#include "storage/meta_text.h"
#include "support/run_tool.h"

namespace {

std::vector<std::uint8_t> bytes_of(std::span<const std::uint8_t> data) { return {data.begin(), data.end()}; }

TEST(ProgramModule, HoldsAnEmbeddedFileAndEveryResourceOfAnEmbeddedFolder) {
  platform::module& program = platform::program_module();
  std::span<const std::uint8_t> sound;
  ASSERT_EQ(program.wave(165, sound), zq::rc::ok);
  const std::string wav = zqtest::read_text(ZQ_SOURCE_DIR "/src/res/sound_key_click.wav");
  EXPECT_EQ(std::string(sound.begin(), sound.end()), wav);

  std::wstring text;
  EXPECT_EQ(program.load_string(3116, text), zq::rc::ok);
  EXPECT_EQ(text, L"Power");
  EXPECT_EQ(program.load_string(3117, text), zq::rc::ok);
  EXPECT_EQ(text, L"Power Off");
  EXPECT_EQ(program.load_string(1, text), zq::rc::ok);
  EXPECT_EQ(text, L"Line one\nline two");
  EXPECT_EQ(program.load_string(3118, text), zq::rc::resource_not_found);

  std::span<const std::uint8_t> defaults;
  ASSERT_EQ(program.load("NHDR", 164, defaults), zq::rc::ok);
  EXPECT_EQ(std::string(defaults.begin(), defaults.end()), std::string("Left\0@@current\0Vol-\0\0\0\0", 23));
  // The page document arrives compiled, its names numbered.
  std::span<const std::uint8_t> page;
  ASSERT_EQ(program.load("Sdat", 4096, page), zq::rc::ok);
  std::vector<std::uint8_t> expected;
  meta::text_error error;
  ASSERT_EQ(meta::compile(zqtest::read_text(ZQ_SOURCE_DIR "/tests/platform/data/program_resources/page.meta"),
                          {.index_names = true}, expected, error),
            zq::rc::ok);
  EXPECT_EQ(bytes_of(page), expected);
  EXPECT_EQ(program.size_of("Sdat", 4096), page.size());
}

}  // namespace
