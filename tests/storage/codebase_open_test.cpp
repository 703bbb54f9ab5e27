#include "storage/codebase.h"

#include <gtest/gtest.h>

#include "storage/codebase_catalog.h"
#include "storage/codebase_record.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace {

using zqtest::bytes;
using kind_t = xman::codebase_record_kind_t;

TEST(CodebaseRecordKind, ClassifiesByTheFirstBytesAndNeedsTheNameTerminatorInside) {
  const std::tuple<bytes, kind_t, std::string> cases[] = {
      {zqtest::signal_v1_record("Power", 26, {0, {100, -100}}), kind_t::signal_v1, "Power"},
      {zqtest::signal_v2_record("Mute", {{26, 0, {100, -100}}}), kind_t::signal_v2, "Mute"},
      {zqtest::macro_record("All off", {0x01, 0x02}), kind_t::macro, "All off"},
      {{0x00, 0x01, 'M', 0x00}, kind_t::macro, "M"},  // the terminator may be the very last byte
      {{0x00, 0x03, 'X', 0x00}, kind_t::other, ""}, {{0x00, 0x00, 'X', 0x00}, kind_t::other, ""},
      {{0x00, 0xFF, 0x00}, kind_t::other, ""},      {{0x00}, kind_t::other, ""},
      {{}, kind_t::other, ""},                      {{'P', 'o', 'w'}, kind_t::other, ""},
      {{0x00, 0x02, 'P', 'o'}, kind_t::other, ""},  {{0x00, 0x01}, kind_t::other, ""},
  };
  for (const auto& [record, kind, name] : cases) {
    const xman::codebase_record_info info = xman::classify_codebase_record(record);
    EXPECT_EQ(info.kind, kind) << name;
    EXPECT_EQ(info.name, name);
    if (!name.empty()) {  // the name points into the record itself
      EXPECT_EQ(info.name.data(), reinterpret_cast<const char*>(record.data()) + (kind == kind_t::signal_v1 ? 0 : 2));
    }
  }
  const bytes record = zqtest::signal_v2_record("Channel Up", {{26, 0, {9000, -4500, 560}}});
  for (std::size_t size = 0; size <= record.size(); ++size) {  // every truncation stays inside
    const auto info = xman::classify_codebase_record(std::span(record.data(), size));
    EXPECT_EQ(info.name, size < 2 + 11 ? "" : "Channel Up") << size;
  }
}

class CodebaseOpen : public ::testing::Test {
 protected:
  void write(const std::string& file, std::string_view name, const std::vector<bytes>& records,
             std::uint16_t version = 330, const char (&type)[5] = "Rda1") {
    zqtest::write_bytes(folder_.path() / file, zqtest::database_image(name, type, version, records));
    catalog_.set_up(folder_.device_path(), xman::codebase_catalog::filter());
  }
  zqtest::temp_folder folder_;
  xman::database_catalog catalog_;
  xman::codebase codebase_{catalog_};
};

TEST_F(CodebaseOpen, OpensByInternalNameUnderTheVersionRule) {
  const bytes power = zqtest::signal_v2_record("Power", {{26, 0, {10, -10}}});
  write("TV.pdb", "TV", {zqtest::remote_layout_record(), power});
  write("New.pdb", "New", {zqtest::remote_layout_record(), power}, 331);
  write("Old.pdb", "Old", {zqtest::remote_layout_record()}, 200, "Rdat");
  write("Empty.pdb", "Empty", {});
  EXPECT_EQ(codebase_.open("TV.pdb"), 1023);  // never by file name
  EXPECT_EQ(codebase_.open("tv"), 1023);
  ASSERT_EQ(codebase_.open("TV"), 0);
  ASSERT_EQ(codebase_.open(codebase_.name()), 0);  // reopening by its own name
  EXPECT_EQ(codebase_.name(), "TV");
  std::span<const std::uint8_t> layout;
  ASSERT_EQ(codebase_.layout(layout), 0);
  EXPECT_EQ(bytes(layout.begin(), layout.end()), zqtest::remote_layout_record());
  EXPECT_EQ(codebase_.signal_index_of("Power"), 1);
  EXPECT_EQ(codebase_.open("New"), 1041);
  EXPECT_FALSE(codebase_.is_open());
  EXPECT_FALSE(codebase_.has_signal("Power"));
  EXPECT_TRUE(codebase_.name().empty());
  ASSERT_EQ(codebase_.open("Old"), 0);  // older kinds open as they are
  EXPECT_EQ(codebase_.type(), xman::kTypeCodebaseOld);
  EXPECT_EQ(codebase_.version(), 200);
  ASSERT_EQ(codebase_.open("Empty"), 0);
  EXPECT_EQ(codebase_.layout(layout), 1042);
  EXPECT_TRUE(layout.empty());
  ASSERT_EQ(codebase_.open_image(zqtest::database_image("Mem", "Rda1", 330, {zqtest::remote_layout_record(), power})),
            0);
  EXPECT_EQ(codebase_.name(), "Mem");
  EXPECT_EQ(codebase_.signal_index_of("Power"), 1);
  EXPECT_EQ(codebase_.open_image(zqtest::database_image("New", "Rda1", 331, {zqtest::remote_layout_record()})), 1041);
  EXPECT_EQ(codebase_.open_image(bytes(77, 0)), 1024);
  EXPECT_FALSE(codebase_.is_open());
  EXPECT_EQ(codebase_.record_count(), 0u);
  EXPECT_TRUE(codebase_.record(1).empty());
}

TEST_F(CodebaseOpen, IndexesFindNamesExactlyAndTheLowestIndexFirst) {
  write("TV.pdb", "TV",
        {bytes{'r', 'e', 'm', 'o', 't', 'e', 0x00},                              // 0: the layout, never a signal
         zqtest::signal_v1_record("Power", 26, {0, {9000, -4500, 560}}),       // 1
         zqtest::macro_record("Evening", {0x01, 0x2A, 0x02, 'x', 0x00, 0x02}),  // 2
         zqtest::signal_v2_record("Vol+", {{26, 0, {100, -100}}}),              // 3
         bytes{0x00, 0x03, 'X', 0x00},                                          // 4: no named item
         zqtest::macro_record("Power", {0x02}),                                 // 5: a macro may share a name
         zqtest::signal_v2_record("Power", {{26, 0, {1, -1}}}),                 // 6: hidden by 1
         zqtest::macro_record("Evening", {}),                                   // 7: hidden by 2
         bytes{0x00, 0x02, 'N', 'o'},                                           // 8: a name without its NUL
         zqtest::signal_v2_record("Next", {{26, 0, {1, -1}}})});                // 9
  ASSERT_EQ(codebase_.open("TV"), 0);
  for (const auto& [name, signal, macro] : {std::tuple{"Power", 1, 5}, {"Vol+", 3, -1}, {"Next", 9, -1},
                                            {"Evening", -1, 2}, {"remote", -1, -1}, {"X", -1, -1},
                                            {"No", -1, -1}, {"power", -1, -1}, {"Power ", -1, -1}}) {
    EXPECT_EQ(codebase_.signal_index_of(name), signal) << name;
    EXPECT_EQ(codebase_.macro_index_of(name), macro) << name;
  }
  EXPECT_EQ(codebase_.signals().size(), 3u);
  EXPECT_EQ(codebase_.macros().size(), 2u);
  EXPECT_TRUE(codebase_.has_signal("Vol+"));
  EXPECT_FALSE(codebase_.has_macro("Vol+"));
  // Index keys point into the records.
  EXPECT_EQ(codebase_.signals().find("Vol+")->first.data(),
            reinterpret_cast<const char*>(codebase_.record(3).data()) + 2);
}

}  // namespace
