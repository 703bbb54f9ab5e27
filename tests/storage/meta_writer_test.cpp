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
using bytes = std::vector<std::uint8_t>;

bytes written(const meta::omemstream& out) { return {out.data(), out.data() + out.size()}; }

TEST(MetaWriterLayout, ValuesByTypeCodeThroughBothInterfaces) {
  meta::value write_only;
  write_only.type = meta::type_t::int32_write_only;
  write_only.integer = -1;
  const std::uint8_t blob[] = {0xAB, 0xCD};
  meta::omemstream out;
  {
    meta::simple::writer w(out);
    w.write_start("v");
    w.write_attribute("a", meta::value::of_int8(-5));
    w.write_attribute("b", meta::value{});  // an attribute always gets a value
    w.write_content(meta::value{});         // empty content writes nothing
    for (const meta::value& v : {meta::value::of_int16(-2), meta::value::of_int32(0x12345678), write_only,
                                 meta::value::of_bool(true), meta::value::of_bool(false),
                                 meta::value::of_binary(blob, 2), meta::value::of_text("hi")}) {
      w.write_content(v);
    }
    w.write_end();
  }
  const bytes expected = meta_bytes{}
                             .open("v").add({0x03, 0x2A, 2, 'a', 0, 0x21, 0xFB, 0x03, 0x2A, 2, 'b', 0, 0x20})
                             .add({0x22, 0xFF, 0xFE, 0x23, 0x12, 0x34, 0x56, 0x78, 0x23, 0xFF, 0xFF, 0xFF, 0xFF})
                             .add({0x24, 0x25, 0x26, 2, 0xAB, 0xCD, 0x2A, 3, 'h', 'i', 0, 0x02})
                             .bytes();
  EXPECT_EQ(written(out), expected);

  // As a reader's handler the writer copies a document.
  meta::omemstream copy;
  meta::simple::writer handler(copy);
  auto reader = meta::detail::create_reader();
  reader->set_handler(&handler);
  meta::input_buffer input{expected.data(), expected.size()};
  ASSERT_EQ(meta::parse(*reader, input), 0);
  EXPECT_EQ(written(copy), expected);
  EXPECT_EQ(handler.raw_element(meta::name_ref::of("v"), expected.data(), expected.size()), 0);
  EXPECT_EQ(handler.error(meta::parse_exception()), meta::simple::abort_parse);
}

// The 1-byte form ends at 254: 255 already takes two bytes, 65535 four.
TEST(MetaWriterLayout, LengthFormsChangeAt255And65535) {
  const std::pair<std::uint32_t, bytes> cases[] = {
      {0, {0x2A, 0x00}},          {254, {0x2A, 0xFE}},
      {255, {0x2B, 0x00, 0xFF}},  {65534, {0x2B, 0xFF, 0xFE}},
      {65535, {0x2C, 0x00, 0x00, 0xFF, 0xFF}}, {70000, {0x2C, 0x00, 0x01, 0x11, 0x70}},
  };
  for (const auto& [length, string_head] : cases) {
    std::string text(length, 'x');
    if (length != 0) text.back() = '\0';
    for (const bool as_string : {true, false}) {
      SCOPED_TRACE(testing::Message() << length << (as_string ? " string" : " binary"));
      meta::omemstream out;
      meta::simple::writer w(out);
      w.write_content(as_string ? meta::value::of_string(text.data(), length)
                                : meta::value::of_binary(text.data(), length));
      bytes expected = string_head;
      if (!as_string) expected[0] -= 4;  // binary tags 0x26, 0x27, 0x28
      expected.insert(expected.end(), text.begin(), text.end());
      EXPECT_EQ(written(out), expected);
    }
  }
}

TEST(MetaWriterLayout, NamesAreNumberedInOrderOfFirstUseUntilTheTableIsFull) {
  meta::indexed_document_writer doc;
  doc.body().write_start("page");
  doc.body().write_attribute("x", meta::value::of_int16(3));
  doc.body().write_start("page");
  doc.body().write_end();
  doc.body().write_end();
  bytes out;
  ASSERT_EQ(doc.finish(out), 0);
  EXPECT_EQ(out, meta_bytes{}
                     .open("?names").str("page").str("x").close()
                     .add({0x01, 0x22, 0, 1, 0x03, 0x22, 0, 2, 0x22, 0, 3, 0x01, 0x22, 0, 1, 0x02, 0x02}).bytes());
  meta::indexed_document_writer empty;
  ASSERT_EQ(empty.finish(out), 0);
  EXPECT_EQ(out, meta_bytes{}.open("?names").close().bytes());

  meta::names_table names;
  for (std::size_t i = 0; i < meta::max_names; ++i) ASSERT_NE(names.add("n" + std::to_string(i)), 0);
  meta::omemstream full;
  meta::simple::writer w(full);
  w.set_names_table(&names);
  w.write_start("n7");
  w.write_start("new");
  EXPECT_EQ(written(full), (meta_bytes{0x01, 0x22, 0, 8}.open("new").bytes()));
}

}  // namespace
