#include "storage/meta_ladder_handler.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/meta_reader.h"
#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;

// A ladder level that logs its events and hands nested elements named "child" to a new level.
struct level : meta::simple::ladder_handler {
  level(meta::detail::reader_impl& reader, element_handler* parent, std::string tag_text, std::string& log_text,
        int& count)
      : ladder_handler(reader, parent), tag(std::move(tag_text)), log(log_text), alive(++count) {}
  ~level() override {
    --alive;
    log += " ~" + tag;
  }
  zq::result_t start_element(const meta::name_ref& name) override {
    const bool first = own_name().empty();
    ladder_handler::start_element(name);
    log += " " + tag + "+" + name.text;
    if (first || std::string(name.text) != "child") return meta::simple::go_on;
    (new level(reader(), this, tag + "'", log, alive))->attach();
    return meta::simple::again;
  }
  zq::result_t end_element(const meta::name_ref& name) override {
    log += " " + tag + "-" + name.text;
    return ladder_handler::end_element(name);
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    log += " " + tag + "@" + name.text + "=" + zqtest::meta_event_log::describe(v);
    return meta::simple::go_on;
  }
  zq::result_t content(const meta::value& v) override {
    log += " " + tag + ":" + zqtest::meta_event_log::describe(v);
    return meta::simple::go_on;
  }
  using ladder_handler::own_name;
  std::string tag;
  std::string& log;
  int& alive;
};

// Parses with a root level above an outside handler; gives the result and the log, and checks that
// every level is gone and the outside handler is current again.
std::string laddered(const meta_bytes& doc, zqtest::meta_event_log& outside) {
  std::string log;
  int alive = 0;
  auto reader = meta::detail::create_reader();
  (new level(*reader, &outside, "R", log, alive))->attach();
  meta::input_buffer input{doc.bytes().data(), doc.bytes().size()};
  const zq::result_t result = meta::parse(*reader, input);
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(reader->handler(), &outside);
  return std::to_string(result) + log;
}

TEST(MetaLadderHandler, AgainHandsTheElementToTheChildAndErrorsTravelUpFreeingEveryLevel) {
  zqtest::meta_event_log outside;
  EXPECT_EQ(laddered(meta_bytes{}.open("root").open("child").add({0x03, 0x2A, 2, 'k', 0, 0x21, 1, 0x21, 2})
                         .open("child").close().close().open("sibling").close().close(), outside),
            "0 R+root R+child R'+child R'@k=i8:1 R':i8:2 R'+child R''+child R''-child ~R'' R'-child ~R'"
            " R+sibling R-sibling R-root ~R");
  EXPECT_EQ(outside.text, "");
  EXPECT_EQ(laddered(meta_bytes{}.open("root").open("child").add({0x29}).close().close(), outside),
            "-1 R+root R+child R'+child ~R' ~R");
  EXPECT_EQ(outside.text, "!meta::parse_exception: file is in wrong format");
}

TEST(MetaLadderHandler, RootWithoutParentAbortsOnErrorAndOwnsACopyOfItsName) {
  std::string log;
  int alive = 0;
  auto reader = meta::detail::create_reader();
  (new level(*reader, nullptr, "R", log, alive))->attach();
  EXPECT_EQ(reader->handler()->error(meta::parse_exception()), meta::simple::abort_parse);
  EXPECT_EQ(reader->handler(), nullptr);
  EXPECT_EQ(alive, 0);

  auto* root = new level(*reader, nullptr, "R", log, alive);
  char name[] = "room";
  root->start_element(meta::name_ref::of(name));
  name[0] = 'X';
  EXPECT_EQ(root->own_name().ownership(), meta::string::ownership_t::owned);
  EXPECT_STREQ(root->own_name().data(), "room");
  EXPECT_EQ(root->own_name().length(), 5u);
  root->end_element(meta::name_ref::of("other"));  // not its own element: stays
  EXPECT_EQ(alive, 1);
  root->end_element(meta::name_ref::of("room"));  // deletes itself
  EXPECT_EQ(alive, 0);
}

TEST(MetaNamespaceLoader, ErrorInsideNamesGoesToThePreviousHandler) {
  const auto doc = meta_bytes{}.open("?names").str("a").add({0x21, 1}).close().bytes();
  zqtest::meta_event_log log;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&log);
  meta::input_buffer input{doc.data(), doc.size()};
  EXPECT_EQ(meta::parse(*reader, input), -1);
  EXPECT_EQ(log.text, "!meta::parse_exception: file is in wrong format");
  EXPECT_EQ(reader->handler(), &log);
  EXPECT_EQ(reader->names().size(), 1u);
}

}  // namespace
