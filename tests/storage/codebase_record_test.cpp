#include "storage/codebase_record.h"

#include <gtest/gtest.h>

#include "support/codebase_image.h"

namespace {

using xman::classify_codebase_record;
using xman::codebase_record_kind_t;
using zqtest::bytes;

TEST(CodebaseRecordKind, ClassifiesByFirstBytes) {
  const bytes v1 = zqtest::signal_v1_record("Power", 26, {0, {100, -100}});
  const bytes v2 = zqtest::signal_v2_record("Mute", {{26, 0, {100, -100}}});
  const bytes macro = zqtest::macro_record("All off", {0x01, 0x02});

  const auto v1_info = classify_codebase_record(v1);
  EXPECT_EQ(v1_info.kind, codebase_record_kind_t::signal_v1);
  EXPECT_EQ(v1_info.name, "Power");
  const auto v2_info = classify_codebase_record(v2);
  EXPECT_EQ(v2_info.kind, codebase_record_kind_t::signal_v2);
  EXPECT_EQ(v2_info.name, "Mute");
  const auto macro_info = classify_codebase_record(macro);
  EXPECT_EQ(macro_info.kind, codebase_record_kind_t::macro);
  EXPECT_EQ(macro_info.name, "All off");
  // The name points into the record itself, not into a copy.
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(v2_info.name.data()), v2.data() + 2);
}

TEST(CodebaseRecordKind, OtherPrefixesAreIgnored) {
  for (const bytes& record : {bytes{0x00, 0x03, 'X', 0x00}, bytes{0x00, 0x00, 'X', 0x00}, bytes{0x00, 0xFF, 0x00},
                              bytes{0x00}, bytes{}}) {
    const auto info = classify_codebase_record(record);
    EXPECT_EQ(info.kind, codebase_record_kind_t::other) << record.size();
    EXPECT_TRUE(info.name.empty());
  }
}

TEST(CodebaseRecordKind, NameWithoutTerminatorIsNotANamedItem) {
  EXPECT_EQ(classify_codebase_record(bytes{'P', 'o', 'w'}).kind, codebase_record_kind_t::other);
  EXPECT_EQ(classify_codebase_record(bytes{0x00, 0x02, 'P', 'o'}).kind, codebase_record_kind_t::other);
  EXPECT_EQ(classify_codebase_record(bytes{0x00, 0x01}).kind, codebase_record_kind_t::other);
  EXPECT_EQ(classify_codebase_record(bytes{0x00, 0x02}).kind, codebase_record_kind_t::other);
  // The terminator may be the very last byte.
  const bytes last{0x00, 0x01, 'M', 0x00};
  const auto info = classify_codebase_record(last);
  EXPECT_EQ(info.kind, codebase_record_kind_t::macro);
  EXPECT_EQ(info.name, "M");
}

TEST(CodebaseRecordKind, EveryTruncationOfARealRecordStaysInside) {
  const bytes record = zqtest::signal_v2_record("Channel Up", {{26, 0, {9000, -4500, 560}}});
  for (std::size_t size = 0; size <= record.size(); ++size) {
    const auto info = classify_codebase_record(std::span(record.data(), size));
    if (size < 2 + 11) {
      EXPECT_EQ(info.kind, codebase_record_kind_t::other) << size;
    } else {
      EXPECT_EQ(info.name, "Channel Up") << size;
      EXPECT_LE(info.name.data() + info.name.size(), reinterpret_cast<const char*>(record.data()) + size);
    }
  }
}

}  // namespace
