#include "storage/meta_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;
using zqtest::parse_events;
using bytes = std::vector<std::uint8_t>;
namespace simple = meta::simple;

const std::string format_error = "!meta::parse_exception: file is in wrong format";

bytes names_then(std::initializer_list<const char*> names, const meta_bytes& body) {
  meta_bytes doc = meta_bytes{}.open("?names");
  for (const char* name : names) doc.str(name);
  bytes out = doc.close().bytes();
  out.insert(out.end(), body.bytes().begin(), body.bytes().end());
  return out;
}

TEST(MetaReaderEvents, DocumentsDeliverTheirEventsInOrder) {
  const std::pair<bytes, std::string> cases[] = {
      {{}, ""},
      {{0xFF, 0x03, 0x99}, ""},  // nothing after a stop is read
      // Every value form; booleans carry no payload; a stop between elements.
      {meta_bytes{}.open("room").add({0x03, 0x2A, 2, 'n', 0, 0x2A, 3, 'T', 'V', 0, 0x03, 0x2A, 2, 'k', 0, 0x21, 0x80})
           .add({0x20, 0x22, 0x80, 0x00, 0x23, 0xFF, 0xFF, 0xFF, 0xFE, 0x26, 2, 0x00, 0xFF, 0x24, 0x25})
           .open("sub").close().add({0x2A, 0}).close().open("next").close().add({0xFF, 0x01}).bytes(),
       "+room @n=s:TV @k=i8:-128 e i16:-32768 i32:-2 bin:00ff b:1 b:0 +sub -sub s: -room +next -next"},
      // 2- and 4-byte length forms, tag 0x34 as a name and as a value.
      {meta_bytes{}.open("e").add({0x03, 0x34, 2, 'q', 0, 0x25, 0x28, 0, 0, 0, 1, 0x42, 0x2C, 0, 0, 0, 2, 'z', 0})
           .add({0x2B, 0, 2, 'y', 0, 0x27, 0, 0, 0x34, 2, 'x', 0}).close().bytes(),
       "+e @q=b:0 bin:42 s:z s:y bin: s:x -e"},
      {names_then({"page", "x", "button"},
                  meta_bytes{}.open(1).add({0x03, 0x22, 0, 2, 0x21, 4}).open(3).close().close()),
       "+page#1 @x#2=i8:4 +button#3 -button#3 -page#1"},
      // "?names" later is an ordinary element, so index 1 is unknown.
      {meta_bytes{}.open("a").close().open("?names").str("x").close().open(1).close().bytes(),
       "+a -a +?names s:x -?names " + format_error},
  };
  for (const auto& [doc, events] : cases) {
    const zqtest::parsed_events p = parse_events(doc);
    EXPECT_EQ(p.events, events);
    EXPECT_EQ(p.result, events.find('!') == std::string::npos ? 0 : -1) << events;
  }
}

TEST(MetaReaderResults, HandlerAnswersSteerTheParse) {
  const bytes nested = meta_bytes{}.open("p").open("skip").add({0x03, 0x2A, 2, 'a', 0, 0x21, 1, 0x21, 2})
                           .open("inner").close().close().open("after").close().close().bytes();
  const bytes flat = meta_bytes{}.open("a").add({0x03, 0x2A, 2, 'x', 0, 0x21, 1, 0x03, 0x2A, 2, 'y', 0, 0x21, 2})
                         .add({0x21, 3}).close().open("b").add({0x21, 4, 0x21, 5}).close().open("c").close().bytes();
  const bytes raw = meta_bytes{}.open("p").open("big").add({0x21, 1}).close().close().bytes();
  const bytes bad = meta_bytes{}.open("e").add({0x29}).close().bytes();
  struct reply_case {
    const bytes& doc;
    std::map<std::string, zq::result_t> replies;
    std::string events;
    bool aborted = false;  // the parse gives -1: it was aborted or met an error
  };
  const reply_case cases[] = {
      {nested, {{"+skip", simple::skip_element}}, "+p +skip +after -after -p"},
      {flat, {{"@x=i8:1", simple::skip_element}, {"i8:4", simple::skip_element}}, "+a @x=i8:1 +b i8:4 +c -c"},
      {flat, {{"+a", simple::abort_parse}}, "+a", true},
      {flat, {{"@y=i8:2", simple::abort_parse}}, "+a @x=i8:1 @y=i8:2", true},
      {flat, {{"i8:3", simple::abort_parse}}, "+a @x=i8:1 @y=i8:2 i8:3", true},
      {flat, {{"-a", simple::abort_parse}}, "+a @x=i8:1 @y=i8:2 i8:3 -a", true},
      // Raw bytes run to the end of the input; raw_element's answer 0 reads on.
      {raw, {{"+big", simple::raw_bytes}}, "+p +big raw:big:11 i8:1 -big -p"},
      {flat, {{"@x=i8:1", simple::raw_bytes}, {"i8:3", 77}, {"-a", simple::again}},  // all mean go on
       "+a @x=i8:1 @y=i8:2 i8:3 -a +b i8:4 i8:5 -b +c -c"},
      // A skipped element is still checked for form.
      {bad, {{"+e", simple::skip_element}}, "+e " + format_error, true},
  };
  for (const reply_case& c : cases) {
    const zqtest::parsed_events p = parse_events(c.doc, c.replies);
    EXPECT_EQ(p.events, c.events);
    EXPECT_EQ(p.result, c.aborted ? -1 : 0) << c.events;
  }
}

// Names and strings point into the input or the names table. The bytes handed over by answer 4
// start at the element and parse later with a reader that shares the table. A reader's own table is
// refilled by every parse.
TEST(MetaReaderResults, NamesPointIntoTheInputOrTheTableAndRawBytesParseLater) {
  struct grab : zqtest::meta_event_log {
    std::vector<const char*> texts;
    meta::input_buffer raw;
    zq::result_t start_element(const meta::name_ref& n) override {
      texts.push_back(n.text);
      return n.index == 2 ? simple::raw_bytes : simple::go_on;
    }
    zq::result_t content(const meta::value& v) override {
      texts.push_back(v.text());
      return simple::go_on;
    }
    zq::result_t raw_element(const meta::name_ref&, const std::uint8_t* b, std::size_t size) override {
      raw = {b, size};
      return simple::skip_element;
    }
  } first;
  const bytes doc = names_then({"idx", "page", "x"}, meta_bytes{}.open(1).open("inl").add({0x2A, 0}).close().close()
                                                         .open(2).add({0x03, 0x22, 0, 3, 0x21, 9}).close());
  meta::names_table shared;
  auto reader = meta::detail::create_reader();
  reader->set_names_table(&shared);
  reader->set_handler(&first);
  meta::input_buffer input{doc.data(), doc.size()};
  ASSERT_EQ(meta::parse(*reader, input), 0);
  EXPECT_EQ(input.position, doc.size());
  ASSERT_EQ(first.texts.size(), 4u);
  EXPECT_EQ(first.texts[0], shared.name_of(1));
  EXPECT_EQ(first.texts[1], reinterpret_cast<const char*>(doc.data()) + doc.size() - 19);
  EXPECT_STREQ(first.texts[2], "");  // an empty string is still a text
  EXPECT_EQ(first.raw.data, doc.data() + doc.size() - 11);
  zqtest::meta_event_log later;
  auto again = meta::detail::create_reader();
  again->set_names_table(&shared);
  again->set_handler(&later);
  ASSERT_EQ(meta::parse(*again, first.raw), 0);
  EXPECT_EQ(later.text, "+page#2 @x#3=i8:9 -page#2");
  again->set_names_table(nullptr);
  for (int parse = 0; parse < 2; ++parse) {
    meta::input_buffer own{doc.data(), doc.size()};
    ASSERT_EQ(meta::parse(*again, own), 0);
  }
  EXPECT_EQ(again->names().size(), 3u);
}

// Each malformed document: -1 and exactly one error event, as the last event.
TEST(MetaReaderFormat, EveryMalformedShapeIsAFormatError) {
  EXPECT_EQ("!" + std::string(meta::parse_exception().what()), format_error);
  const auto with = [](std::initializer_list<int> tail) { return meta_bytes{}.open("e").add(tail).bytes(); };
  const auto names = [](std::initializer_list<int> body) { return meta_bytes{}.open("?names").add(body).bytes(); };
  auto nested = [](std::size_t depth) {
    meta_bytes b;
    for (std::size_t i = 0; i < depth; ++i) b.add({0x01, 0x2A, 1, 0});
    for (std::size_t i = 0; i < depth; ++i) b.close();
    return b.bytes();
  };
  EXPECT_EQ(parse_events(nested(meta::max_depth)).result, 0);
  const bytes cases[] = {
      {0x03}, {0x02}, {0x21, 0x01}, meta_bytes{}.open("a").close().add({0x00}).bytes(),  // top-level bytes
      {0x01, 0x21, 0x05, 0x02}, {0x01, 0x26, 0x01, 0x00, 0x02}, {0x01, 0x23, 0, 0, 0, 1, 0x02}, {0x01},  // names
      {0x01, 0x22, 0, 0, 0x02}, {0x01, 0x22, 0, 1, 0x02}, names_then({"a"}, meta_bytes{}.open(2).close()),
      with({0x03, 0x22, 0, 0, 0x21, 1, 0x02}), {0x01, 0x2A, 0x03, 'a', 'b', 'c', 0x02}, {0x01, 0x2A, 0x00, 0x02},
      {0x01, 0x2A, 0x09, 'a', 0}, with({0x2A, 0x01, 'a', 0x02}), with({0x03, 0x2A, 2, 'k', 0, 0x2B, 0, 1, 'a', 0x02}),
      names({0x21, 5, 0x02}), names({0x2A, 0, 0x02}), names({0x2A, 1, 'a', 0x02}), names({0x2A, 2, 'a', 0}),
      names({0x03, 0x2A, 2, 'k', 0, 0x2A, 2, 'v', 0, 0x02}), names({0x01, 0x2A, 2, 'c', 0, 0x02, 0x02}),
      with({0x21}), with({0x22, 0x01}), with({0x23, 0, 0, 0}), with({0x26, 0x05, 1, 2}), with({0x27, 0x00}),  // cut
      with({0x28, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x02}), with({0x2C, 0x80, 0x00, 0x00, 0x00, 0x00, 0x02}),
      with({0x29, 0x02}), with({0x2D, 0x02}), with({0x33, 0x02}), with({0x35, 0x02}), with({0x37, 0x02}),  // tags
      with({0x03, 0x2A, 2, 'k', 0, 0x29, 0x02}), with({}), with({0x21, 0x05}),
      meta_bytes{}.open("e").open("c").close().bytes(),
      with({0x21, 0x05, 0x03, 0x2A, 2, 'k', 0, 0x21, 1, 0x02}), with({0x04, 0x02}), with({0xFF}),
      nested(meta::max_depth + 1), nested(100000),
  };
  for (const bytes& doc : cases) {
    SCOPED_TRACE(testing::PrintToString(bytes(doc.begin(), doc.begin() + std::min<std::size_t>(doc.size(), 16))));
    const zqtest::parsed_events p = parse_events(doc);
    EXPECT_EQ(p.result, -1);
    EXPECT_TRUE(p.events.ends_with(format_error) && p.events.find('!') + format_error.size() == p.events.size())
        << p.events;
  }
}

// Every prefix either reads cleanly (cut between top-level elements) or is a format error.
TEST(MetaReaderFormat, EveryTruncationIsCleanOrAFormatError) {
  const bytes parts[] = {names_then({"a"}, {}),
                         meta_bytes{}.open(1).add({0x03, 0x22, 0, 1, 0x2B, 0, 2, 'v', 0, 0x23, 1, 2, 3, 4})
                             .add({0x28, 0, 0, 0, 1, 9}).close().bytes(),
                         meta_bytes{}.open("b").close().bytes()};
  bytes doc;
  std::vector<std::size_t> boundaries{0};
  for (const bytes& part : parts) {
    doc.insert(doc.end(), part.begin(), part.end());
    boundaries.push_back(doc.size());
  }
  for (std::size_t n = 0; n <= doc.size(); ++n) {
    const bool boundary = std::find(boundaries.begin(), boundaries.end(), n) != boundaries.end();
    EXPECT_EQ(parse_events(bytes(doc.begin(), doc.begin() + static_cast<long>(n))).result, boundary ? 0 : -1) << n;
  }
}

}  // namespace
