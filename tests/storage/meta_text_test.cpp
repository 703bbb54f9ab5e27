#include "storage/meta_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/meta_indexed_document.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_reader.h"
#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;

std::string dumped(const std::vector<std::uint8_t>& doc) {
  std::string text;
  EXPECT_EQ(meta::dump(doc, text), 0);
  return text;
}

std::vector<std::uint8_t> compiled(const std::string& text, bool index_names = false) {
  std::vector<std::uint8_t> doc;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, meta::compile_options{index_names}, doc, error), 0)
      << "line " << error.line << ": " << error.message;
  return doc;
}

std::string events(const std::vector<std::uint8_t>& doc) {
  zqtest::meta_event_log log;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{doc.data(), doc.size()};
  EXPECT_EQ(meta::parse(*reader, input), 0) << log.text;
  return log.text;
}

// A document built byte by byte with a names table, escapes, every value tag and unusual forms.
std::vector<std::uint8_t> hand_built() {
  return meta_bytes{}
      .open("?names")
      .str("page")
      .str("x")
      .close()
      .open(1)
      .add({0x03, 0x22, 0, 2, 0x22, 0xFF, 0xFB})
      .add({0x03, 0x2A, 10, 't', 'w', 'o', ' ', 'w', 'o', 'r', 'd', 's', 0, 0x2A, 5, 'c', 'a', 'f', 0xE9, 0})
      .add({0x03, 0x2A, 5, 'f', 'l', 'a', 'g', 0, 0x25})
      .add({0x21, 0x7F, 0x23, 0xFF, 0xFE, 0xEE, 0x90, 0x20, 0x26, 2, 0x00, 0xFF})
      .add({0x34, 2, 'q', 0})
      .add({0x2B, 0, 4, '"', '\\', '\n', 0})
      .add({0x28, 0, 0, 0, 0})
      .open("child")
      .close()
      .close()
      .add({0xFF, 0x01, 0x02})
      .bytes();
}

TEST(MetaTextDump, ShowsEveryItemWithItsForm) {
  EXPECT_EQ(dumped(hand_built()),
            "?names {\n"
            "  string \"page\\0\"\n"
            "  string \"x\\0\"\n"
            "}\n"
            "page[1] {\n"
            "  x[2] = int16 -5\n"
            "  \"two words\" = string \"caf\\xe9\\0\"\n"
            "  flag = bool false\n"
            "  int8 127\n"
            "  int32 -70000\n"
            "  empty\n"
            "  binary 00ff\n"
            "  string/x34 \"q\\0\"\n"
            "  string/16 \"\\\"\\\\\\n\\0\"\n"
            "  binary/32\n"
            "  child {}\n"
            "}\n"
            "stop\n"
            "trailing 0102\n");
}

TEST(MetaTextDump, RefusesWhatTheReaderRefuses) {
  std::string text = "left over";
  EXPECT_EQ(meta::dump(std::vector<std::uint8_t>{0x03}, text), zq::rc::malformed_document);
  EXPECT_EQ(text, "");
  EXPECT_EQ(meta::dump(meta_bytes{}.open("a").add({0x2A, 1, 'x'}).close().bytes(), text), zq::rc::malformed_document);
  EXPECT_EQ(meta::dump(std::vector<std::uint8_t>{}, text), 0);
  EXPECT_EQ(text, "");
}

TEST(MetaTextRoundTrip, HandBuiltDocumentCompilesBackByteForByte) {
  const auto doc = hand_built();
  EXPECT_EQ(compiled(dumped(doc)), doc);
}

// Strings and binaries at the edges of the three length forms, names that need quotes, every
// value type, with and without a names table.
TEST(MetaTextRoundTrip, WriterDocumentsCompileBackByteForByte) {
  auto emit = [](meta::simple::writer& w) {
    w.write_start("layout");
    w.write_attribute("version", meta::value::of_int32(330));
    w.write_attribute("name with spaces", meta::value::of_text("Living \"room\"\t\x80"));
    w.write_attribute("on", meta::value::of_bool(true));
    w.write_attribute("none", meta::value{});
    for (const std::uint32_t length : {0u, 1u, 254u, 255u, 65534u, 65535u, 70000u}) {
      std::string bytes(length, 'a');
      if (length != 0) bytes.back() = '\0';
      w.write_start("s");
      w.write_content(meta::value::of_string(bytes.data(), length));
      w.write_content(meta::value::of_binary(bytes.data(), length));
      w.write_end();
    }
    w.write_start("button");
    w.write_attribute("x", meta::value::of_int16(-32768));
    w.write_attribute("id", meta::value::of_int8(-1));
    w.write_content(meta::value::of_bool(false));
    w.write_end();
    w.write_end();
    w.write_start("second");
    w.write_end();
  };
  meta::indexed_document_writer indexed;
  emit(indexed.body());
  std::vector<std::uint8_t> indexed_bytes;
  ASSERT_EQ(indexed.finish(indexed_bytes), 0);
  EXPECT_EQ(compiled(dumped(indexed_bytes)), indexed_bytes);

  meta::omemstream plain;
  {
    meta::simple::writer w(plain);
    emit(w);
  }
  const std::vector<std::uint8_t> plain_bytes(plain.data(), plain.data() + plain.size());
  EXPECT_EQ(compiled(dumped(plain_bytes)), plain_bytes);
}

TEST(MetaTextRoundTrip, UnusualFormsOfNamesAndNamesEntriesSurvive) {
  const auto doc = meta_bytes{}
                       .open("?names")
                       .add({0x2B, 0, 2, 'a', 0, 0x34, 4, 'b', 0, 'c', 0})
                       .close()
                       .add({0x01, 0x2C, 0, 0, 0, 2, 'e', 0})
                       .add({0x03, 0x22, 0, 2, 0x2A, 0})
                       .add({0x03, 0x34, 3, 0xFF, '#', 0, 0x26, 0xFF})
                       .add(std::initializer_list<int>{})
                       .bytes();
  std::vector<std::uint8_t> full = doc;
  full.insert(full.end(), 255, 0x11);  // the 255-byte binary in a 1-byte form
  full.push_back(0x02);
  const std::string text = dumped(full);
  EXPECT_NE(text.find("\ne/32 {\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"b\\0c\"[2] = string \"\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"\\xff#\"/x34 = binary/8 1111"), std::string::npos) << text;
  EXPECT_EQ(compiled(text), full);
}

const char* const hand_written =
    "# a page as someone would type it\n"
    "page {\n"
    "\tbutton {\n"
    "    x = int16 0x10\n"
    "    label = string \"Power\"   # the NUL is added\n"
    "    \"raw bytes\" = binary 01 02 0a\n"
    "    int8 255\n"
    "  }\n"
    "  button {}\n"
    "}\n";

TEST(MetaTextCompile, HandWrittenTextWithNamesMatchesTheIndexedDocumentWriter) {
  auto emit = [](meta::simple::writer& w) {
    w.write_start("page");
    w.write_start("button");
    w.write_attribute("x", meta::value::of_int16(16));
    w.write_attribute("label", meta::value::of_text("Power"));
    const std::uint8_t raw[] = {1, 2, 10};
    w.write_attribute("raw bytes", meta::value::of_binary(raw, 3));
    w.write_content(meta::value::of_int8(-1));
    w.write_end();
    w.write_start("button");
    w.write_end();
    w.write_end();
  };
  meta::indexed_document_writer indexed;
  emit(indexed.body());
  std::vector<std::uint8_t> expected;
  ASSERT_EQ(indexed.finish(expected), 0);
  const auto with_names = compiled(hand_written, true);
  EXPECT_EQ(with_names, expected);
  EXPECT_EQ(events(with_names),
            "+page#1 +button#2 @x#3=i16:16 @label#4=s:Power @raw bytes#5=bin:01020a i8:-1 -button#2 +button#2 "
            "-button#2 -page#1");

  meta::omemstream plain;
  {
    meta::simple::writer w(plain);
    emit(w);
  }
  EXPECT_EQ(compiled(hand_written), std::vector<std::uint8_t>(plain.data(), plain.data() + plain.size()));
}

TEST(MetaTextCompile, HandWrittenStringsGetTheirNul) {
  EXPECT_EQ(compiled("e {\n string \"ab\"\n string \"\"\n string \"a\\0\"\n string \"\\0\"\n}"),
            (meta_bytes{}.open("e").add({0x2A, 3, 'a', 'b', 0, 0x2A, 0, 0x2A, 2, 'a', 0, 0x2A, 1, 0}).close().bytes()));
}

TEST(MetaTextCompile, ExplicitIndicesMustMatchTheNamesTable) {
  const auto doc = compiled("?names {\n string \"a\"\n string \"b\"\n}\nb[2] {\n a[1] = empty\n}\n");
  EXPECT_EQ(events(doc), "+b#2 @a#1=e -b#2");
}

TEST(MetaTextCompile, ErrorsNameTheirLine) {
  struct bad_text {
    const char* text;
    std::size_t line;
    const char* message;
  };
  const bad_text cases[] = {
      {"a {\n  x = int8 1\n  int8 2\n  y = int8 3\n}", 4, "attributes come before the content"},
      {"a {\n  int8 300\n}", 2, "out of range"},
      {"a {\n  int16 12x\n}", 2, "is not a number"},
      {"a {\n  bool maybe\n}", 2, "true or false"},
      {"a {\n  float 1\n}", 2, "'float' is neither a value type nor a name"},
      {"a {\n  k = float 1\n}", 2, "'float' is not a value type"},
      {"a {\n  string \"open\n}", 2, "not closed"},
      {"a {\n  string \"\\q\"\n}", 2, "unknown escape"},
      {"a {\n  binary 0g\n}", 2, "hex bytes"},
      {"a {\n  string/8 \"x\" extra\n}", 2, "unexpected text"},
      {"a {\n  int8/16 1\n}", 2, "length form"},
      {"a {\n  binary/x34 00\n}", 2, "/x34"},
      {"a {\n  string/7 \"x\"\n}", 2, "unknown length form"},
      {"int8 1", 1, "inside an element"},
      {"a {\n}\n}", 3, "without an open element"},
      {"a {\n  b {\n  }\n", 1, "not closed"},
      {"a[1] {}", 1, "not in the names table"},
      {"?names {\n  string \"a\"\n}\nb[1] {}", 4, "holds another name"},
      {"?names {\n  int8 1\n}", 2, "only strings"},
      {"?names {\n  string \"\"\n}", 2, "may not be empty"},
      {"?names {\n  k = string \"a\"\n}", 2, "no attributes"},
      {"?names {\n  c {}\n}", 2, "only strings"},
      {"a {}\nstop\nb {}", 3, "only 'trailing'"},
      {"a [0] {}", 1, "'a' is neither a value type"},
      {"\"a\"", 1, "'{' or '='"},
      {"a {\n  = int8 1\n}", 2, "unexpected character"},
  };
  for (const bad_text& c : cases) {
    std::vector<std::uint8_t> doc{1, 2, 3};
    meta::text_error error;
    EXPECT_EQ(meta::compile(c.text, {}, doc, error), zq::rc::malformed_document) << c.text;
    EXPECT_EQ(error.line, c.line) << c.text;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << c.text << " -> " << error.message;
    EXPECT_TRUE(doc.empty());
  }
}

TEST(MetaTextCompile, NamesOptionRefusesTextsWithTheirOwnTable) {
  std::vector<std::uint8_t> doc;
  meta::text_error error;
  EXPECT_NE(meta::compile("?names {\n string \"a\"\n}\n", {true}, doc, error), 0);
  EXPECT_EQ(error.line, 1u);
  EXPECT_NE(meta::compile("?names {\n string \"a\"\n}\na[1] {}", {true}, doc, error), 0);
}

TEST(MetaTextCompile, NestingBeyondTheReaderLimitIsRefused) {
  std::string deep;
  for (std::size_t i = 0; i < meta::max_depth; ++i) deep += "e {\n";
  for (std::size_t i = 0; i < meta::max_depth; ++i) deep += "}\n";
  EXPECT_FALSE(events(compiled(deep)).empty());
  std::vector<std::uint8_t> doc;
  meta::text_error error;
  EXPECT_NE(meta::compile("e {\n" + deep + "}\n", {}, doc, error), 0);
  EXPECT_EQ(error.line, meta::max_depth + 1);
}

}  // namespace
