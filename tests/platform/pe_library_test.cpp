// Resource libraries written by the PE writer and read back through a module; damaged images are
// refused whole.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "base/byte_order.h"
#include "platform/file_system.h"
#include "platform/module.h"
#include "platform/pe_reader.h"
#include "platform/pe_writer.h"
#include "platform/resource_string_table.h"
#include "support/bitmap_bytes.h"
#include "support/temp_folder.h"

namespace {

using bytes = std::vector<std::uint8_t>;
using platform::resource_name;

bytes wave_file() { return {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}; }

std::vector<platform::pe_resource_input> sample_resources() {
  const bytes bmp = zqtest::bmp_file(2, 1, {0x102030, 0xFF00FF});
  std::vector<platform::pe_resource_input> resources = {
      {"Sdat", 4096, 0x0409, {1, 2, 3, 4, 5}},
      {"Sdat", 4097, 0x0409, {9}},
      {"ZQED", 1000, 0x0409, {}},
      {"USKN", 1000, 0x0409, {0}},
      {"WAVE", 165, 0x0409, wave_file()},
      {platform::rt::bitmap, 1001, 0x0409, bytes(bmp.begin() + 14, bmp.end())},
      {"PNG", 1002, 0x0409, bmp},  // a file's kind is found from its bytes, not from its type
      {platform::rt::rcdata, resource_name("named"), 0, {7, 7, 7}},
  };
  const std::map<std::uint16_t, std::wstring> strings = {{3116, L"Power"}, {3118, L"Mute \U0001F507"}, {5, L"x"}};
  for (auto& [block, data] : platform::string_blocks(strings)) resources.push_back({platform::rt::string, block, 0, data});
  return resources;
}

bytes sample_image() {
  bytes image;
  EXPECT_EQ(platform::write_pe_library(sample_resources(), image), zq::rc::ok);
  return image;
}

TEST(PeLibrary, EveryResourceReadsBackByTypeAndId) {
  platform::module library;
  ASSERT_EQ(library.load_image(sample_image()), zq::rc::ok);
  const auto inputs = sample_resources();
  ASSERT_EQ(library.resources().size(), inputs.size());
  for (const auto& input : inputs) {
    const std::string name = input.type.to_string() + " " + input.id.to_string();
    std::span<const std::uint8_t> data;
    ASSERT_EQ(library.load(input.type, input.id, data), zq::rc::ok) << name;
    EXPECT_EQ(bytes(data.begin(), data.end()), input.data) << name;
    EXPECT_EQ(library.size_of(input.type, input.id), input.data.size()) << name;
    EXPECT_EQ(library.find(input.type, input.id)->language, input.language) << name;
  }
  // Names are found in any letter case; names and numbers never match each other.
  EXPECT_EQ(library.size_of("SDAT", 4096), 5u);
  EXPECT_EQ(library.size_of(platform::rt::rcdata, resource_name("NAMED")), 3u);
  std::span<const std::uint8_t> data;
  EXPECT_EQ(library.load("Sdat", 4098, data), zq::rc::resource_not_found);
  EXPECT_EQ(library.load(resource_name("10"), resource_name("named"), data), zq::rc::resource_not_found);
  EXPECT_EQ(library.size_of("Sdat", 1000), 0u);
}

TEST(PeLibrary, StringsImagesAndSounds) {
  platform::module library;
  ASSERT_EQ(library.load_image(sample_image()), zq::rc::ok);
  std::wstring text;
  EXPECT_EQ(library.load_string(3116, text), zq::rc::ok);
  EXPECT_EQ(text, L"Power");
  EXPECT_EQ(library.load_string(3118, text), zq::rc::ok);
  EXPECT_EQ(text, L"Mute \U0001F507");
  EXPECT_EQ(library.load_string(5, text), zq::rc::ok);
  EXPECT_EQ(text, L"x");
  EXPECT_EQ(library.load_string(3117, text), zq::rc::resource_not_found);  // empty entry of a block
  EXPECT_EQ(library.load_string(100, text), zq::rc::resource_not_found);   // no such block

  const platform::pixel_surface* bitmap = nullptr;
  ASSERT_EQ(library.image(1001, bitmap), zq::rc::ok);
  EXPECT_EQ(bitmap->pixels(), (std::vector<std::uint32_t>{0x102030, 0xFF00FF}));
  const platform::pixel_surface* again = nullptr;
  ASSERT_EQ(library.image(1001, again), zq::rc::ok);
  EXPECT_EQ(again, bitmap);  // decoded once, kept
  const platform::pixel_surface* png = nullptr;
  ASSERT_EQ(library.image(1002, png), zq::rc::ok);
  EXPECT_EQ(*png, *bitmap);
  EXPECT_EQ(library.image(1003, png), zq::rc::resource_not_found);
  EXPECT_EQ(png, nullptr);

  std::span<const std::uint8_t> sound;
  ASSERT_EQ(library.wave(165, sound), zq::rc::ok);
  EXPECT_EQ(bytes(sound.begin(), sound.end()), wave_file());
  EXPECT_EQ(library.wave(166, sound), zq::rc::resource_not_found);
}

TEST(PeLibrary, DamagedContentIsReportedWhenItIsUsed) {
  bytes image;
  ASSERT_EQ(platform::write_pe_library(std::vector<platform::pe_resource_input>{
                                           {platform::rt::string, 1, 0, {1, 0, 'a', 0, 5, 0, 'b', 0}},
                                           {"WAVE", 1, 0, {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '}},
                                           {platform::rt::bitmap, 1, 0, {40, 0, 0, 0}}},
                                       image),
            zq::rc::ok);
  platform::module library;
  ASSERT_EQ(library.load_image(image), zq::rc::ok);
  std::wstring text;
  EXPECT_EQ(library.load_string(0, text), zq::rc::ok);
  EXPECT_EQ(library.load_string(1, text), zq::rc::resource_damaged);  // 5 units announced, 1 present
  EXPECT_EQ(library.load_string(2, text), zq::rc::resource_damaged);
  std::span<const std::uint8_t> sound;
  EXPECT_EQ(library.wave(1, sound), zq::rc::resource_damaged);
  const platform::pixel_surface* bitmap = nullptr;
  EXPECT_EQ(library.image(1, bitmap), zq::rc::resource_damaged);
}

TEST(PeLibrary, EveryTruncationIsRejected) {
  const bytes image = sample_image();
  std::vector<platform::pe_resource> found;
  for (std::size_t size = 0; size < image.size(); ++size) {
    ASSERT_EQ(platform::read_pe_resources(std::span(image).first(size), found), zq::rc::resource_file_damaged) << size;
    ASSERT_TRUE(found.empty());
  }
}

std::uint32_t u32(const bytes& b, std::size_t at) { return zq::load_le32(&b[at]); }

TEST(PeLibrary, DamagedStructuresAreRejected) {
  const bytes image = sample_image();
  // Offsets from the image itself: the file header, the optional header, the section header, the
  // resource directory and the first type's tables.
  const std::size_t pe = u32(image, 0x3C);
  const std::size_t opt = pe + 24;
  const std::size_t section = opt + 224;
  const std::size_t rsrc = u32(image, section + 20);
  const std::size_t root_entry = rsrc + 16;  // the first type: a named one
  const std::size_t type_table = rsrc + (u32(image, root_entry + 4) & 0x7FFFFFFF);
  const std::size_t id_table = rsrc + (u32(image, type_table + 16 + 4) & 0x7FFFFFFF);
  const std::size_t data_entry = rsrc + u32(image, id_table + 16 + 4);
  const std::size_t type_name = rsrc + (u32(image, root_entry) & 0x7FFFFFFF);
  const auto put16 = [](std::size_t at, std::uint16_t v) { return [=](bytes& b) { zq::store_le16(&b[at], v); }; };
  const auto put32 = [](std::size_t at, std::uint32_t v) { return [=](bytes& b) { zq::store_le32(&b[at], v); }; };
  const struct {
    const char* name;
    std::function<void(bytes&)> damage;
  } cases[] = {
      {"no MZ", put16(0, 0x5A4E)},
      {"PE header beyond the end", put32(0x3C, static_cast<std::uint32_t>(image.size() - 2))},
      {"no PE signature", put32(pe, 0x00004551)},
      {"PE32+ optional header", put16(opt, 0x20B)},
      {"optional header shorter than its fields", put16(pe + 4 + 16, 90)},
      {"more data directories than the header holds", put32(opt + 92, 17)},
      {"section table beyond the end", put16(pe + 4 + 2, 2000)},
      {"section data beyond the end", put32(section + 16, static_cast<std::uint32_t>(image.size()))},
      {"resource directory beyond its section", put32(opt + 96 + 20, 0x100000)},
      {"resource directory before its section", put32(opt + 96 + 16, 0x800)},
      {"more root entries than the directory holds", put16(rsrc + 14, 0x7FFF)},
      {"named entry counted as numbered", put16(rsrc + 12, 0)},
      {"type name beyond the directory", put16(type_name, 0xFFFF)},
      {"type table leading back to the root", put32(root_entry + 4, 0x80000000)},
      {"type entry pointing at data", put32(root_entry + 4, u32(image, root_entry + 4) & 0x7FFFFFFF)},
      {"language entry pointing at a table", put32(id_table + 16 + 4, 0x80000000 | (id_table - rsrc))},
      {"numbered id above 16 bits", put32(type_table + 16, 0x10000)},
      {"data beyond the section", put32(data_entry + 4, 0x10000)},
      {"data below the section", put32(data_entry, 0x800)},
      {"data entry beyond the directory", put32(id_table + 16 + 4, 0x7FFFFFF0)},
  };
  for (const auto& c : cases) {
    bytes damaged = image;
    c.damage(damaged);
    ASSERT_NE(damaged, image) << c.name;
    platform::module library;
    EXPECT_EQ(library.load_image(damaged), zq::rc::resource_file_damaged) << c.name;
    EXPECT_TRUE(library.resources().empty()) << c.name;
  }
}

TEST(PeLibrary, LoadsFromAFileThroughTheFileSeam) {
  zqtest::temp_folder folder;
  platform::module library;
  EXPECT_EQ(platform::load_module_file(folder.device_path("missing.dll"), library), ENOENT);
  const bytes image = sample_image();
  platform::file f;
  ASSERT_EQ(platform::open_file(folder.device_path("skin.dll"), platform::file_access_t::read_write,
                                platform::file_create_t::create_new, f), 0);
  ASSERT_EQ(platform::write_file_at(f, 0, image.data(), image.size()), 0);
  f.close();
  ASSERT_EQ(platform::load_module_file(folder.device_path("skin.dll"), library), zq::rc::ok);
  EXPECT_EQ(library.resources().size(), sample_resources().size());
  platform::file_faults::fail_operation(2);  // a failure after the open
  EXPECT_EQ(platform::load_module_file(folder.device_path("skin.dll"), library), EIO);
  platform::file_faults::reset();
  EXPECT_TRUE(library.resources().empty());
}

}  // namespace
