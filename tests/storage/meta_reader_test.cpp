#include "storage/meta_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;
using zqtest::meta_event_log;

const std::string format_error = "!meta::parse_exception: file is in wrong format";

struct parsed {
  zq::result_t result;
  std::string events;
};

parsed read(const std::vector<std::uint8_t>& bytes, meta_event_log& log) {
  // An exact-size heap copy, so that a read past the end is a read past the allocation.
  std::vector<std::uint8_t> exact(bytes);
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{exact.data(), exact.size()};
  const zq::result_t r = meta::parse(*reader, input);
  return {r, log.text};
}

parsed read(const std::vector<std::uint8_t>& bytes) {
  meta_event_log log;
  return read(bytes, log);
}

TEST(MetaReaderEvents, EmptyInputAndLeadingStopParseWithoutEvents) {
  EXPECT_EQ(read({}).result, 0);
  EXPECT_EQ(read({}).events, "");
  const parsed stop = read({0xFF, 0x03, 0x99});  // whatever follows 0xFF is not read
  EXPECT_EQ(stop.result, 0);
  EXPECT_EQ(stop.events, "");
}

TEST(MetaReaderEvents, DeliversElementsAttributesAndContentInOrder) {
  const auto doc = meta_bytes{}
                       .open("room")
                       .add({0x03, 0x2A, 2, 'n', 0, 0x2A, 3, 'T', 'V', 0})
                       .add({0x03, 0x2A, 2, 'k', 0, 0x21, 0x80})
                       .add({0x20, 0x22, 0x80, 0x00, 0x23, 0xFF, 0xFF, 0xFF, 0xFE, 0x26, 2, 0x00, 0xFF})
                       .open("sub")
                       .close()
                       .add({0x2A, 0})  // an empty string
                       .close()
                       .open("next")
                       .close()
                       .add({0xFF})
                       .bytes();
  EXPECT_EQ(read(doc).events,
            "+room @n=s:TV @k=i8:-128 e i16:-32768 i32:-2 bin:00ff +sub -sub s: -room +next -next");
}

TEST(MetaReaderEvents, BooleansAreType5AndTheNextItemFollows) {
  const auto doc = meta_bytes{}.open("b").add({0x03, 0x2A, 2, 'a', 0, 0x24, 0x25, 0x24, 0x21, 7}).close().bytes();
  EXPECT_EQ(read(doc).events, "+b @a=b:1 b:0 b:1 i8:7 -b");
}

TEST(MetaReaderEvents, LongFormsAndTag34ReadBack) {
  const auto doc = meta_bytes{}
                       .open("e")
                       .add({0x28, 0, 0, 0, 1, 0x42})       // binary, 4-byte length
                       .add({0x2C, 0, 0, 0, 2, 'z', 0})     // string, 4-byte length
                       .add({0x2B, 0, 2, 'y', 0})           // string, 2-byte length
                       .add({0x27, 0, 0})                   // binary, 2-byte length, empty
                       .add({0x34, 2, 'x', 0})              // string, tag 0x34
                       .add({0x03, 0x34, 2, 'q', 0, 0x25})  // 0x34 as a name
                       .close()
                       .bytes();
  // The attribute comes after content here, so the document is malformed at that point.
  const parsed p = read(doc);
  EXPECT_EQ(p.events, "+e bin:42 s:z s:y bin: s:x " + format_error);
  const auto good = meta_bytes{}
                        .open("e")
                        .add({0x03, 0x34, 2, 'q', 0, 0x25})
                        .add({0x28, 0, 0, 0, 1, 0x42, 0x2C, 0, 0, 0, 2, 'z', 0, 0x34, 2, 'x', 0})
                        .close()
                        .bytes();
  EXPECT_EQ(read(good).events, "+e @q=b:0 bin:42 s:z s:x -e");
}

TEST(MetaReaderEvents, StringValuesAreTextsAndNamesPointIntoInputOrTable) {
  struct grab : meta_event_log {
    std::vector<meta::name_ref> names;
    std::vector<meta::value> values;
    zq::result_t start_element(const meta::name_ref& n) override {
      names.push_back(n);
      return 0;
    }
    zq::result_t content(const meta::value& v) override {
      values.push_back(v);
      return 0;
    }
  } g;
  const auto doc = meta_bytes{}.open("?names").str("idx").close().open(1).open("inl").add({0x2A, 0}).close().close().bytes();
  auto reader = meta::detail::create_reader();
  reader->set_handler(&g);
  meta::input_buffer input{doc.data(), doc.size()};
  ASSERT_EQ(meta::parse(*reader, input), 0);
  ASSERT_EQ(g.names.size(), 2u);
  EXPECT_EQ(g.names[0].text, reader->names().name_of(1));
  EXPECT_EQ(g.names[0].index, 1);
  const std::size_t inline_text = meta_bytes{}.open("?names").str("idx").close().open(1).bytes().size() + 3;
  EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(g.names[1].text), doc.data() + inline_text);
  EXPECT_EQ(g.names[1].length, 4u);
  ASSERT_EQ(g.values.size(), 1u);
  EXPECT_EQ(g.values[0].length, 0u);
  EXPECT_STREQ(g.values[0].text(), "");
  EXPECT_EQ(input.position, doc.size());
}

TEST(MetaReaderNames, NamesElementFirstGivesIndexedNamesTheirTexts) {
  const auto doc = meta_bytes{}
                       .open("?names")
                       .str("page")
                       .str("x")
                       .str("button")
                       .close()
                       .open(1)
                       .add({0x03, 0x22, 0, 2, 0x21, 4})
                       .open(3)
                       .close()
                       .close()
                       .bytes();
  EXPECT_EQ(read(doc).events, "+page#1 @x#2=i8:4 +button#3 -button#3 -page#1");
}

TEST(MetaReaderNames, NamesElementNotFirstIsAnOrdinaryElement) {
  const auto doc = meta_bytes{}.open("a").close().open("?names").str("x").close().open(1).close().bytes();
  // An ordinary element, so index 1 refers to an empty table.
  EXPECT_EQ(read(doc).events, "+a -a +?names s:x -?names " + format_error);
}

TEST(MetaReaderNames, EachParseStartsWithAnEmptyOwnTable) {
  const auto first = meta_bytes{}.open("?names").str("one").close().open(1).close().bytes();
  const auto second = meta_bytes{}.open("?names").str("two").close().open(1).close().bytes();
  meta_event_log log;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer a{first.data(), first.size()};
  meta::input_buffer b{second.data(), second.size()};
  EXPECT_EQ(meta::parse(*reader, a), 0);
  EXPECT_EQ(meta::parse(*reader, b), 0);
  EXPECT_EQ(log.text, "+one#1 -one#1 +two#1 -two#1");
  EXPECT_EQ(reader->names().size(), 1u);
}

// Raw bytes kept by result 4 parse later with a new reader sharing the external table.
TEST(MetaReaderNames, ExternalTableServesALaterParseOfRawBytes) {
  const auto doc = meta_bytes{}.open("?names").str("page").str("x").close().open(1).add({0x03, 0x22, 0, 2, 0x21, 9}).close().bytes();
  meta::names_table shared;
  meta_event_log first;
  first.replies["+page#1"] = meta::simple::raw_bytes;
  first.replies["raw:page#1:11"] = meta::simple::skip_element;
  auto reader = meta::detail::create_reader();
  reader->set_names_table(&shared);
  reader->set_handler(&first);
  meta::input_buffer input{doc.data(), doc.size()};
  ASSERT_EQ(meta::parse(*reader, input), 0);
  EXPECT_EQ(first.text, "+page#1 raw:page#1:11");
  EXPECT_EQ(shared.size(), 2u);

  meta_event_log later;
  auto again = meta::detail::create_reader();
  again->set_names_table(&shared);
  again->set_handler(&later);
  meta::input_buffer raw{doc.data() + doc.size() - 11, 11};
  EXPECT_EQ(meta::parse(*again, raw), 0);
  EXPECT_EQ(later.text, "+page#1 @x#2=i8:9 -page#1");
}

TEST(MetaReaderResults, SkipFromStartSuppressesTheWholeElementAndResumesWithTheSibling) {
  const auto doc = meta_bytes{}
                       .open("p")
                       .open("skip")
                       .add({0x03, 0x2A, 2, 'a', 0, 0x21, 1, 0x21, 2})
                       .open("inner")
                       .close()
                       .close()
                       .open("after")
                       .close()
                       .close()
                       .bytes();
  meta_event_log log;
  log.replies["+skip"] = meta::simple::skip_element;
  const parsed p = read(doc, log);
  EXPECT_EQ(p.result, 0);
  EXPECT_EQ(p.events, "+p +skip +after -after -p");
}

TEST(MetaReaderResults, SkipFromAttributeOrContentDropsTheRestAndTheEnd) {
  const auto doc = meta_bytes{}
                       .open("a")
                       .add({0x03, 0x2A, 2, 'x', 0, 0x21, 1, 0x03, 0x2A, 2, 'y', 0, 0x21, 2, 0x21, 3})
                       .close()
                       .open("b")
                       .add({0x21, 4, 0x21, 5})
                       .close()
                       .open("c")
                       .close()
                       .bytes();
  meta_event_log log;
  log.replies["@x=i8:1"] = meta::simple::skip_element;
  log.replies["i8:4"] = meta::simple::skip_element;
  EXPECT_EQ(read(doc, log).events, "+a @x=i8:1 +b i8:4 +c -c");
}

TEST(MetaReaderResults, AbortStopsWithMinusOneAndNoError) {
  const auto doc = meta_bytes{}.open("a").add({0x03, 0x2A, 2, 'x', 0, 0x21, 1, 0x21, 2}).close().open("b").close().bytes();
  for (const char* event : {"+a", "@x=i8:1", "i8:2", "-a"}) {
    meta_event_log log;
    log.replies[event] = meta::simple::abort_parse;
    const parsed p = read(doc, log);
    EXPECT_EQ(p.result, -1) << event;
    EXPECT_EQ(p.events.substr(p.events.size() - std::string(event).size()), event);
    EXPECT_EQ(p.events.find('!'), std::string::npos);
  }
}

TEST(MetaReaderResults, RawHandsOverTheElementBytesToTheEndOfInput) {
  const auto doc = meta_bytes{}.open("p").open("big").add({0x21, 1}).close().close().bytes();
  struct raw_check : meta_event_log {
    const std::uint8_t* seen = nullptr;
    zq::result_t raw_element(const meta::name_ref& n, const std::uint8_t* bytes, std::size_t size) override {
      seen = bytes;
      return meta_event_log::raw_element(n, bytes, size);
    }
  } log;
  log.replies["+big"] = meta::simple::raw_bytes;
  std::vector<std::uint8_t> exact(doc);
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{exact.data(), exact.size()};
  ASSERT_EQ(meta::parse(*reader, input), 0);
  // raw_element answered 0, so the element is then read as usual.
  EXPECT_EQ(log.text, "+p +big raw:big:11 i8:1 -big -p");
  EXPECT_EQ(log.seen, exact.data() + 5);
  EXPECT_EQ(*log.seen, 0x01);
}

TEST(MetaReaderResults, OtherResultsCountAsGoOn) {
  const auto doc = meta_bytes{}.open("a").add({0x03, 0x2A, 2, 'x', 0, 0x21, 1, 0x21, 2}).close().bytes();
  meta_event_log log;
  log.replies["@x=i8:1"] = meta::simple::raw_bytes;
  log.replies["i8:2"] = 77;
  log.replies["-a"] = meta::simple::again;
  EXPECT_EQ(read(doc, log).result, 0);
  EXPECT_EQ(log.text, "+a @x=i8:1 i8:2 -a");
}

TEST(MetaReaderResults, WithoutHandlerTheDocumentIsOnlyCheckedForForm) {
  auto reader = meta::detail::create_reader();
  const auto good = meta_bytes{}.open("?names").str("a").close().open(1).add({0x21, 1}).close().bytes();
  meta::input_buffer g{good.data(), good.size()};
  EXPECT_EQ(meta::parse(*reader, g), 0);
  const auto bad = meta_bytes{}.open("a").add({0x29}).close().bytes();
  meta::input_buffer b{bad.data(), bad.size()};
  EXPECT_EQ(meta::parse(*reader, b), -1);
}

TEST(MetaReaderFormat, TopLevelAttributeByteIsAFormatErrorWithTheMessage) {
  const parsed p = read({0x03});
  EXPECT_EQ(p.result, -1);
  EXPECT_EQ(p.events, format_error);
  EXPECT_STREQ(meta::parse_exception().what(), "meta::parse_exception: file is in wrong format");
}

// Each malformed document: -1 and exactly one error event, as the last event.
TEST(MetaReaderFormat, EveryMalformedShapeIsAFormatError) {
  const meta_bytes named = meta_bytes{}.open("e");
  auto with = [&](std::initializer_list<int> tail) { return meta_bytes(named).add(tail).bytes(); };
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"top-level 0x02", {0x02}},
      {"top-level value", {0x21, 0x01}},
      {"top-level 0x00", meta_bytes{}.open("a").close().add({0x00}).bytes()},
      {"int8 name", {0x01, 0x21, 0x05, 0x02}},
      {"binary name", {0x01, 0x26, 0x01, 0x00, 0x02}},
      {"int32 name", {0x01, 0x23, 0, 0, 0, 1, 0x02}},
      {"no name", {0x01}},
      {"name index 0", {0x01, 0x22, 0, 0, 0x02}},
      {"name index beyond table", {0x01, 0x22, 0, 1, 0x02}},
      {"index beyond loaded table", meta_bytes{}.open("?names").str("a").close().open(2).close().bytes()},
      {"attribute name index 0", with({0x03, 0x22, 0, 0, 0x21, 1, 0x02})},
      {"name without NUL", {0x01, 0x2A, 0x03, 'a', 'b', 'c', 0x02}},
      {"empty name", {0x01, 0x2A, 0x00, 0x02}},
      {"content string without NUL", with({0x2A, 0x01, 'a', 0x02})},
      {"attribute string without NUL", with({0x03, 0x2A, 2, 'k', 0, 0x2B, 0, 1, 'a', 0x02})},
      {"names entry not a string", meta_bytes{}.open("?names").add({0x21, 5}).close().bytes()},
      {"names entry empty", meta_bytes{}.open("?names").add({0x2A, 0}).close().bytes()},
      {"names entry without NUL", meta_bytes{}.open("?names").add({0x2A, 1, 'a'}).close().bytes()},
      {"names attribute", meta_bytes{}.open("?names").add({0x03, 0x2A, 2, 'k', 0, 0x2A, 2, 'v', 0}).close().bytes()},
      {"names child", meta_bytes{}.open("?names").open("c").close().close().bytes()},
      {"names not ended", meta_bytes{}.open("?names").str("a").bytes()},
      {"int8 past end", with({0x21})},
      {"int16 past end", with({0x22, 0x01})},
      {"int32 past end", with({0x23, 0, 0, 0})},
      {"binary past end", with({0x26, 0x05, 1, 2})},
      {"binary16 length past end", with({0x27, 0x00})},
      {"binary32 huge length", with({0x28, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x02})},
      {"string32 huge length", with({0x2C, 0x80, 0x00, 0x00, 0x00, 0x00, 0x02})},
      {"name length past end", {0x01, 0x2A, 0x09, 'a', 0}},
      {"tag 0x29", with({0x29, 0x02})},
      {"tag 0x2D", with({0x2D, 0x02})},
      {"tag 0x30", with({0x30, 0x02})},
      {"tag 0x33", with({0x33, 0x02})},
      {"tag 0x35", with({0x35, 0x02})},
      {"tag 0x37", with({0x37, 0x02})},
      {"attribute value tag 0x29", with({0x03, 0x2A, 2, 'k', 0, 0x29, 0x02})},
      {"missing end", with({})},
      {"missing end after value", with({0x21, 0x05})},
      {"missing nested end", meta_bytes(named).open("c").close().bytes()},
      {"attribute after content", with({0x21, 0x05, 0x03, 0x2A, 2, 'k', 0, 0x21, 1, 0x02})},
      {"stray byte", with({0x04, 0x02})},
      {"stop inside element", with({0xFF})},
  };
  for (const auto& [what, bytes] : cases) {
    const parsed p = read(bytes);
    EXPECT_EQ(p.result, -1) << what;
    ASSERT_GE(p.events.size(), format_error.size()) << what;
    EXPECT_EQ(p.events.substr(p.events.size() - format_error.size()), format_error) << what;
    EXPECT_EQ(p.events.find('!'), p.events.size() - format_error.size()) << what;
  }
}

TEST(MetaReaderFormat, ContentOfASkippedElementIsStillChecked) {
  meta_event_log log;
  log.replies["+e"] = meta::simple::skip_element;
  EXPECT_EQ(read(meta_bytes{}.open("e").add({0x29}).close().bytes(), log).events, "+e " + format_error);
}

TEST(MetaReaderFormat, NestingIsLimitedTo256Levels) {
  auto nested = [](std::size_t depth) {
    meta_bytes b;
    for (std::size_t i = 0; i < depth; ++i) b.add({0x01, 0x2A, 1, 0});
    for (std::size_t i = 0; i < depth; ++i) b.close();
    return b.bytes();
  };
  EXPECT_EQ(read(nested(meta::max_depth)).result, 0);
  const parsed deep = read(nested(meta::max_depth + 1));
  EXPECT_EQ(deep.result, -1);
  EXPECT_EQ(deep.events.substr(deep.events.size() - format_error.size()), format_error);
  EXPECT_EQ(read(nested(100000)).result, -1);
}

// Every prefix of a document either reads cleanly (cut between top-level elements) or is a format
// error; none is read past its end (the copy is exactly as long as the prefix).
TEST(MetaReaderFormat, EveryTruncationIsCleanOrAFormatError) {
  const auto names = meta_bytes{}.open("?names").str("a").close().bytes();
  const auto first = meta_bytes{}
                         .open(1)
                         .add({0x03, 0x22, 0, 1, 0x2B, 0, 2, 'v', 0, 0x23, 1, 2, 3, 4, 0x28, 0, 0, 0, 1, 9})
                         .close()
                         .bytes();
  const auto second = meta_bytes{}.open("b").close().bytes();
  std::vector<std::uint8_t> doc = names;
  doc.insert(doc.end(), first.begin(), first.end());
  doc.insert(doc.end(), second.begin(), second.end());
  const std::size_t boundaries[] = {0, names.size(), names.size() + first.size(), doc.size()};
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    const std::vector<std::uint8_t> prefix(doc.begin(), doc.begin() + static_cast<long>(n));
    const bool boundary = std::find(std::begin(boundaries), std::end(boundaries), n) != std::end(boundaries);
    EXPECT_EQ(read(prefix).result, boundary ? 0 : -1) << n;
  }
}

}  // namespace
