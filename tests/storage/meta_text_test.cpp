#include "storage/meta_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "storage/meta_indexed_document.h"
#include "storage/meta_omemstream.h"
#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;
using bytes = std::vector<std::uint8_t>;

std::string dumped(const bytes& doc) {
  std::string text;
  EXPECT_EQ(meta::dump(doc, text), 0);
  return text;
}

bytes compiled(const std::string& text, bool index_names = false) {
  bytes doc;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {index_names}, doc, error), 0) << "line " << error.line << ": " << error.message;
  return doc;
}

// What an emitter writes through an indexed document (first) and a plain writer (second).
std::pair<bytes, bytes> written(const std::function<void(meta::simple::writer&)>& emit) {
  meta::indexed_document_writer indexed;
  emit(indexed.body());
  bytes with_names;
  EXPECT_EQ(indexed.finish(with_names), 0);
  meta::omemstream plain;
  {
    meta::simple::writer w(plain);
    emit(w);
  }
  return {with_names, bytes(plain.data(), plain.data() + plain.size())};
}

// Built byte by byte: every value tag, escapes, names and names entries in unusual length forms, a
// stop and bytes after it.
TEST(MetaTextDump, ShowsEveryItemWithItsFormAndCompilesBackByteForByte) {
  bytes doc = meta_bytes{}
                  .open("?names").str("page").str("x").add({0x2B, 0, 2, 'a', 0, 0x34, 4, 'b', 0, 'c', 0}).close()
                  .open(1).add({0x03, 0x22, 0, 2, 0x22, 0xFF, 0xFB})
                  .add({0x03, 0x2A, 10, 't', 'w', 'o', ' ', 'w', 'o', 'r', 'd', 's', 0})
                  .add({0x2A, 5, 'c', 'a', 'f', 0xE9, 0, 0x03, 0x2A, 5, 'f', 'l', 'a', 'g', 0, 0x25})
                  .add({0x03, 0x22, 0, 4, 0x2A, 0, 0x03, 0x34, 3, 0xFF, '#', 0})
                  .add({0x26, 0xFF}).bytes();
  doc.insert(doc.end(), 255, 0x11);  // a 255-byte binary in the 1-byte form
  const bytes rest = meta_bytes{}
                         .add({0x21, 0x7F, 0x23, 0xFF, 0xFE, 0xEE, 0x90, 0x20, 0x26, 2, 0x00, 0xFF, 0x34, 2, 'q', 0})
                         .add({0x2B, 0, 4, '"', '\\', '\n', 0, 0x28, 0, 0, 0, 0})
                         .open("child").close().add({0x01, 0x2C, 0, 0, 0, 2, 'e', 0, 0x02}).close()
                         .add({0xFF, 0x01, 0x02})
                         .bytes();
  doc.insert(doc.end(), rest.begin(), rest.end());
  const std::string text = dumped(doc);
  EXPECT_EQ(text, "?names {\n  string \"page\\0\"\n  string \"x\\0\"\n  string/16 \"a\\0\"\n"
                  "  string/x34 \"b\\0c\\0\"\n}\n"
                  "page[1] {\n  x[2] = int16 -5\n  \"two words\" = string \"caf\\xe9\\0\"\n  flag = bool false\n"
                  "  \"b\\0c\"[4] = string \"\"\n  \"\\xff#\"/x34 = binary/8 " + std::string(510, '1') + "\n"
                  "  int8 127\n  int32 -70000\n  empty\n  binary 00ff\n  string/x34 \"q\\0\"\n"
                  "  string/16 \"\\\"\\\\\\n\\0\"\n  binary/32\n  child {}\n  e/32 {}\n}\nstop\ntrailing 0102\n");
  EXPECT_EQ(compiled(text), doc);
  std::string refused = "left over";
  EXPECT_EQ(meta::dump(bytes{0x03}, refused), zq::rc::malformed_document);
  EXPECT_EQ(refused, "");
  EXPECT_EQ(meta::dump(meta_bytes{}.open("a").add({0x2A, 1, 'x'}).close().bytes(), refused),
            zq::rc::malformed_document);
  EXPECT_EQ(meta::dump(bytes{}, refused), 0);
  EXPECT_EQ(refused, "");
}

// Strings and binaries at the edges of the three length forms, names that need quotes, every value
// type, with and without a names table; and a text typed by hand compiles to what the writers write.
TEST(MetaTextRoundTrip, WriterDocumentsAndHandWrittenTextsMatch) {
  const auto [indexed, plain] = written([](meta::simple::writer& w) {
    w.write_start("layout");
    w.write_attribute("version", meta::value::of_int32(330));
    w.write_attribute("name with spaces", meta::value::of_text("Living \"room\"\t\x80"));
    w.write_attribute("on", meta::value::of_bool(true));
    w.write_attribute("none", meta::value{});
    for (const std::uint32_t length : {0u, 1u, 254u, 255u, 65534u, 65535u, 70000u}) {
      std::string data(length, 'a');
      if (length != 0) data.back() = '\0';
      w.write_start("s");
      w.write_content(meta::value::of_string(data.data(), length));
      w.write_content(meta::value::of_binary(data.data(), length));
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
  });
  EXPECT_EQ(compiled(dumped(indexed)), indexed);
  EXPECT_EQ(compiled(dumped(plain)), plain);

  const auto [page_indexed, page_plain] = written([](meta::simple::writer& w) {
    const std::uint8_t raw[] = {1, 2, 10};
    w.write_start("page");
    w.write_start("button");
    w.write_attribute("x", meta::value::of_int16(16));
    w.write_attribute("label", meta::value::of_text("Power"));
    w.write_attribute("raw bytes", meta::value::of_binary(raw, 3));
    w.write_content(meta::value::of_int8(-1));
    w.write_end();
    w.write_start("button");
    w.write_end();
    w.write_end();
  });
  const char* const text = "# a page as someone would type it\npage {\n\tbutton {\n    x = int16 0x10\n"
                           "    label = string \"Power\"   # the NUL is added\n    \"raw bytes\" = binary 01 02 0a\n"
                           "    int8 255\n  }\n  button {}\n}\n";
  EXPECT_EQ(compiled(text, true), page_indexed);
  EXPECT_EQ(compiled(text), page_plain);
  EXPECT_EQ(compiled("e {\n string \"ab\"\n string \"\"\n string \"a\\0\"\n string \"\\0\"\n}"),
            (meta_bytes{}.open("e").add({0x2A, 3, 'a', 'b', 0, 0x2A, 0, 0x2A, 2, 'a', 0, 0x2A, 1, 0}).close().bytes()));
}

TEST(MetaTextCompile, ErrorsNameTheirLineAndLeaveNoDocument) {
  struct bad_text {
    std::string text;
    std::size_t line;
    const char* message;
    bool index_names = false;
  };
  std::string deep;  // one level deeper than the reader takes
  for (std::size_t i = 0; i <= meta::max_depth; ++i) deep = "e {\n" + deep + "}\n";
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
      {"?names {\n string \"a\"\n}\n", 1, "", true},  // the names option brings its own table
      {deep, meta::max_depth + 1, ""},
  };
  for (const bad_text& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    bytes doc{1, 2, 3};
    meta::text_error error;
    EXPECT_EQ(meta::compile(c.text, {c.index_names}, doc, error), zq::rc::malformed_document);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    EXPECT_TRUE(doc.empty());
  }
  EXPECT_EQ(compiled(deep.substr(4, deep.size() - 6)).size(), meta::max_depth * 6);  // the deepest allowed
}

}  // namespace
