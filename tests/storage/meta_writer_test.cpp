#include "storage/meta_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/meta_indexed_document.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_reader.h"
#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;

std::vector<std::uint8_t> written(const meta::omemstream& out) { return {out.data(), out.data() + out.size()}; }

TEST(MetaWriterLayout, InlineNameIsAStringWithItsNul) {
  meta::omemstream out;
  {
    meta::simple::writer w(out);
    w.write_start("room");
    w.write_end();
  }
  EXPECT_EQ(written(out), (std::vector<std::uint8_t>{0x01, 0x2A, 0x05, 'r', 'o', 'o', 'm', 0x00, 0x02}));
}

TEST(MetaWriterLayout, ValuesByTypeCode) {
  meta::omemstream out;
  meta::simple::writer w(out);
  w.write_start("v");
  w.write_attribute("a", meta::value::of_int8(-5));
  w.write_attribute("b", meta::value{});  // an attribute always gets a value
  w.write_content(meta::value{});         // empty content writes nothing
  w.write_content(meta::value::of_int16(-2));
  w.write_content(meta::value::of_int32(0x12345678));
  meta::value three;
  three.type = meta::type_t::int32_write_only;
  three.integer = -1;
  w.write_content(three);
  w.write_content(meta::value::of_bool(true));
  w.write_content(meta::value::of_bool(false));
  const std::uint8_t blob[] = {0xAB, 0xCD};
  w.write_content(meta::value::of_binary(blob, 2));
  w.write_content(meta::value::of_text("hi"));
  w.write_end();
  const auto expected = meta_bytes{}
                            .open("v")
                            .add({0x03, 0x2A, 2, 'a', 0, 0x21, 0xFB})
                            .add({0x03, 0x2A, 2, 'b', 0, 0x20})
                            .add({0x22, 0xFF, 0xFE, 0x23, 0x12, 0x34, 0x56, 0x78, 0x23, 0xFF, 0xFF, 0xFF, 0xFF})
                            .add({0x24, 0x25, 0x26, 2, 0xAB, 0xCD})
                            .add({0x2A, 3, 'h', 'i', 0, 0x02})
                            .bytes();
  EXPECT_EQ(written(out), expected);
}

// The 1-byte form ends at 254: 255 already takes two bytes, 65535 four.
TEST(MetaWriterLayout, LengthFormsChangeAt255And65535) {
  struct form_case {
    std::uint32_t length;
    std::vector<std::uint8_t> string_head;
    std::vector<std::uint8_t> binary_head;
  };
  const form_case cases[] = {
      {0, {0x2A, 0x00}, {0x26, 0x00}},
      {254, {0x2A, 0xFE}, {0x26, 0xFE}},
      {255, {0x2B, 0x00, 0xFF}, {0x27, 0x00, 0xFF}},
      {65534, {0x2B, 0xFF, 0xFE}, {0x27, 0xFF, 0xFE}},
      {65535, {0x2C, 0x00, 0x00, 0xFF, 0xFF}, {0x28, 0x00, 0x00, 0xFF, 0xFF}},
      {70000, {0x2C, 0x00, 0x01, 0x11, 0x70}, {0x28, 0x00, 0x01, 0x11, 0x70}},
  };
  for (const form_case& c : cases) {
    std::string text(c.length, 'x');
    if (c.length != 0) text.back() = '\0';
    for (const bool as_string : {true, false}) {
      meta::omemstream out;
      meta::simple::writer w(out);
      w.write_content(as_string ? meta::value::of_string(text.data(), c.length)
                                : meta::value::of_binary(text.data(), c.length));
      const auto& head = as_string ? c.string_head : c.binary_head;
      const auto bytes = written(out);
      ASSERT_EQ(bytes.size(), head.size() + c.length) << c.length;
      EXPECT_TRUE(std::equal(head.begin(), head.end(), bytes.begin())) << c.length << " string " << as_string;
      EXPECT_EQ(std::string(bytes.begin() + static_cast<long>(head.size()), bytes.end()), text);
    }
  }
}

TEST(MetaWriterLayout, NamesTableWritesIndicesInOrderOfFirstUse) {
  meta::omemstream out;
  meta::names_table names;
  meta::simple::writer w(out);
  w.set_names_table(&names);
  w.write_start("page");
  w.write_attribute("x", meta::value::of_int8(1));
  w.write_start("page");
  w.write_end();
  w.write_end();
  EXPECT_EQ(written(out), (std::vector<std::uint8_t>{0x01, 0x22, 0, 1, 0x03, 0x22, 0, 2, 0x21, 1,  //
                                                     0x01, 0x22, 0, 1, 0x02, 0x02}));
  EXPECT_EQ(names.size(), 2u);
  EXPECT_STREQ(names.name_of(2), "x");
}

TEST(MetaWriterLayout, FullNamesTableFallsBackToInlineNames) {
  meta::names_table names;
  for (std::size_t i = 0; i < meta::max_names; ++i) ASSERT_NE(names.add("n" + std::to_string(i)), 0);
  meta::omemstream out;
  meta::simple::writer w(out);
  w.set_names_table(&names);
  w.write_start("n7");
  w.write_start("new");
  EXPECT_EQ(written(out), (meta_bytes{0x01, 0x22, 0, 8}.open("new").bytes()));
}

TEST(MetaWriterLayout, HandlerSlotsWriteTheSameBytes) {
  meta::omemstream direct;
  meta::omemstream driven;
  {
    meta::simple::writer a(direct);
    a.write_start("e");
    a.write_attribute("k", meta::value::of_int16(7));
    a.write_content(meta::value::of_text("t"));
    a.write_end();
    meta::simple::writer b(driven);
    const auto e = meta::name_ref::of("e");
    EXPECT_EQ(b.start_element(e), 0);
    EXPECT_EQ(b.raw_element(e, nullptr, 0), 0);
    EXPECT_EQ(b.attribute(meta::name_ref::of("k"), meta::value::of_int16(7)), 0);
    EXPECT_EQ(b.content(meta::value::of_text("t")), 0);
    EXPECT_EQ(b.end_element(e), 0);
    EXPECT_EQ(b.error(meta::parse_exception()), meta::simple::abort_parse);
  }
  EXPECT_EQ(written(direct), written(driven));
}

TEST(MetaIndexedDocument, NamesElementFirstThenBody) {
  meta::indexed_document_writer doc;
  doc.body().write_start("page");
  doc.body().write_attribute("x", meta::value::of_int16(3));
  doc.body().write_start("page");
  doc.body().write_end();
  doc.body().write_end();
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(doc.finish(bytes), 0);
  const auto expected = meta_bytes{}
                            .open("?names")
                            .str("page")
                            .str("x")
                            .close()
                            .add({0x01, 0x22, 0, 1, 0x03, 0x22, 0, 2, 0x22, 0, 3, 0x01, 0x22, 0, 1, 0x02, 0x02})
                            .bytes();
  EXPECT_EQ(bytes, expected);

  zqtest::meta_event_log log;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{bytes.data(), bytes.size()};
  EXPECT_EQ(meta::parse(*reader, input), 0);
  EXPECT_EQ(log.text, "+page#1 @x#2=i16:3 +page#1 -page#1 -page#1");
}

TEST(MetaIndexedDocument, EmptyBodyStillHasANamesElement) {
  meta::indexed_document_writer doc;
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(doc.finish(bytes), 0);
  EXPECT_EQ(bytes, meta_bytes{}.open("?names").close().bytes());
}

TEST(MetaOutputStream, StartsAt500AndDoublesKeepingEveryByte) {
  meta::omemstream out;
  EXPECT_EQ(out.capacity(), 500u);
  std::vector<std::uint8_t> expected;
  for (int i = 0; i < 499; ++i) {
    ASSERT_NE(out.put(static_cast<std::uint8_t>(i)), 0);
    expected.push_back(static_cast<std::uint8_t>(i));
  }
  const std::vector<std::uint8_t> run(3, 0xEE);
  ASSERT_NE(out.write(run.data(), run.size()), 0);  // 502 bytes: one doubling
  expected.insert(expected.end(), run.begin(), run.end());
  EXPECT_EQ(out.capacity(), 1000u);
  const std::vector<std::uint8_t> big(6000, 0x5A);  // 6502 bytes: 1000 -> 8000 in one write
  ASSERT_NE(out.write(big.data(), big.size()), 0);
  expected.insert(expected.end(), big.begin(), big.end());
  EXPECT_EQ(out.capacity(), 8000u);
  EXPECT_EQ(written(out), expected);
  EXPECT_FALSE(out.failed());
}

}  // namespace
