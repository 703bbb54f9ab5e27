#include "storage/meta_ladder_handler.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/meta_reader.h"
#include "support/meta_event_log.h"

namespace {

using zqtest::meta_bytes;

// A ladder level that records its events into a shared log and hands elements named "child" to a
// new level below it.
class recording_level : public meta::simple::ladder_handler {
 public:
  recording_level(meta::detail::reader_impl& reader, element_handler* parent, std::string tag, std::string& log,
                  int& alive)
      : ladder_handler(reader, parent), tag_(std::move(tag)), log_(log), alive_(alive) {
    ++alive_;
  }
  ~recording_level() override {
    --alive_;
    log_ += " ~" + tag_;
  }

  zq::result_t start_element(const meta::name_ref& name) override {
    const bool first = own_name().empty();
    ladder_handler::start_element(name);
    log_ += " " + tag_ + "+" + name.text;
    if (!first && std::string(name.text) == "child") {
      (new recording_level(reader(), this, tag_ + "'", log_, alive_))->attach();
      return meta::simple::again;
    }
    return meta::simple::go_on;
  }
  zq::result_t end_element(const meta::name_ref& name) override {
    log_ += " " + tag_ + "-" + name.text;
    return ladder_handler::end_element(name);
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    log_ += " " + tag_ + "@" + name.text + "=" + zqtest::meta_event_log::describe(v);
    return meta::simple::go_on;
  }
  zq::result_t content(const meta::value& v) override {
    log_ += " " + tag_ + ":" + zqtest::meta_event_log::describe(v);
    return meta::simple::go_on;
  }

 private:
  std::string tag_;
  std::string& log_;
  int& alive_;
};

struct ladder_run {
  std::string log;
  int alive = 0;
  zqtest::meta_event_log outside;  // the handler below the root level
  zq::result_t result = 0;
  meta::simple::element_handler* current_after = nullptr;

  void parse(const std::vector<std::uint8_t>& doc) {
    auto reader = meta::detail::create_reader();
    (new recording_level(*reader, &outside, "R", log, alive))->attach();
    meta::input_buffer input{doc.data(), doc.size()};
    result = meta::parse(*reader, input);
    current_after = reader->handler();
  }
};

TEST(MetaLadderHandler, AgainHandsTheSameElementToTheChildAndItsEndReturnsToTheParent) {
  const auto doc = meta_bytes{}
                       .open("root")
                       .open("child")
                       .add({0x03, 0x2A, 2, 'k', 0, 0x21, 1, 0x21, 2})
                       .open("child")  // a grandchild, handled two levels down
                       .close()
                       .close()
                       .open("sibling")
                       .close()
                       .close()
                       .bytes();
  ladder_run run;
  run.parse(doc);
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.log,
            " R+root R+child R'+child R'@k=i8:1 R':i8:2 R'+child R''+child R''-child ~R'' R'-child ~R'"
            " R+sibling R-sibling R-root ~R");
  EXPECT_EQ(run.alive, 0);
  EXPECT_EQ(run.current_after, &run.outside);
  EXPECT_EQ(run.outside.text, "");
}

TEST(MetaLadderHandler, ErrorTravelsUpAndFreesEveryLevel) {
  const auto doc = meta_bytes{}.open("root").open("child").open("child").add({0x29}).close().close().close().bytes();
  ladder_run run;
  run.parse(doc);
  EXPECT_EQ(run.result, -1);
  EXPECT_EQ(run.alive, 0);
  EXPECT_EQ(run.outside.text, "!meta::parse_exception: file is in wrong format");
  EXPECT_EQ(run.current_after, &run.outside);
}

TEST(MetaLadderHandler, RootWithoutParentAnswersAbortToAnError) {
  struct level : meta::simple::ladder_handler {
    using ladder_handler::ladder_handler;
    zq::result_t attribute(const meta::name_ref&, const meta::value&) override { return 0; }
    zq::result_t content(const meta::value&) override { return 0; }
  };
  auto reader = meta::detail::create_reader();
  auto* root = new level(*reader, nullptr);
  root->attach();
  EXPECT_EQ(root->error(meta::parse_exception()), meta::simple::abort_parse);  // and root is gone
  EXPECT_EQ(reader->handler(), nullptr);
}

TEST(MetaLadderHandler, OwnNameIsAnOwnedCopy) {
  struct level : meta::simple::ladder_handler {
    using ladder_handler::ladder_handler;
    zq::result_t attribute(const meta::name_ref&, const meta::value&) override { return 0; }
    zq::result_t content(const meta::value&) override { return 0; }
    using ladder_handler::own_name;
  };
  auto reader = meta::detail::create_reader();
  auto* root = new level(*reader, nullptr);
  char name[] = "room";
  root->start_element(meta::name_ref::of(name));
  name[0] = 'X';
  EXPECT_EQ(root->own_name().ownership(), meta::string::ownership_t::owned);
  EXPECT_STREQ(root->own_name().data(), "room");
  EXPECT_EQ(root->own_name().length(), 5u);
  root->end_element(meta::name_ref::of("other"));  // not its own element: stays
  root->end_element(meta::name_ref::of("room"));   // deletes itself
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
