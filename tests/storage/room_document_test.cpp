#include "storage/room_document.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/database_catalog.h"
#include "storage/meta_text.h"
#include "support/codebase_image.h"
#include "support/temp_folder.h"

namespace remote {
void PrintTo(const hot_button& b, std::ostream* os) { *os << "{" << b.label << "|" << b.codebase << "|" << b.last_page << "}"; }
}  // namespace remote

namespace {

using remote::hot_button;
using remote::room_state;

std::vector<std::uint8_t> compiled(const std::string& text) {
  std::vector<std::uint8_t> document;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {}, document, error), 0) << error.line << ": " << error.message;
  return document;
}

std::string item(const std::string& label, const std::string& database, int page = 0) {
  return "item {\ncategory = string \"" + label + "\\0\"\ndatabase = string \"" + database +
         "\\0\"\npage = int16 " + std::to_string(page) + "\n}\n";
}

room_state sample_room() {
  room_state room;
  room.name = "Den";
  room.hot_buttons[0] = {"TV", "Living TV", 3};
  room.hot_buttons[4] = {"", "", -1};
  room.hot_buttons[7] = {"last", "Radio", 32767};
  room.hard_buttons["Up"] = {"@@current", "Ch+"};
  room.hard_buttons["40C1"] = {"Living TV", "$Movie"};
  room.hard_buttons["Left"] = {"@@action", "Disable"};
  room.current = "Living TV";
  room.page = -32768;
  return room;
}

TEST(RoomDocument, IsWrittenInTheStoredLayoutAndReadsBack) {
  std::vector<std::uint8_t> document;
  ASSERT_EQ(xman::write_room_document(sample_room(), document), 0);
  std::string text;
  ASSERT_EQ(meta::dump(document, text), 0);
  std::string expected =
      "room {\n"
      "  name = string \"Den\\0\"\n"
      "  category = string \"1000\\0\"\n"
      "  hot-remotes {\n";
  const char* records[8][3] = {{"TV", "Living TV", "3"}, {"", "", "0"}, {"", "", "0"}, {"", "", "0"},
                               {"", "", "-1"},           {"", "", "0"}, {"", "", "0"}, {"last", "Radio", "32767"}};
  for (const auto& r : records) {
    expected += std::string("    item {\n      category = string \"") + r[0] + "\\0\"\n      database = string \"" +
                r[1] + "\\0\"\n      page = int16 " + r[2] + "\n    }\n";
  }
  expected +=
      "  }\n"
      "  hardbuttons {\n"
      "    button {\n"
      "      id = string \"40C1\\0\"\n"
      "      ir-reference {\n"
      "        remote = string \"Living TV\\0\"\n"
      "        signal = string \"$Movie\\0\"\n"
      "      }\n"
      "    }\n"
      "    button {\n"
      "      id = string \"Left\\0\"\n"
      "      action {\n"
      "        command = string \"Disable\\0\"\n"
      "      }\n"
      "    }\n"
      "    button {\n"
      "      id = string \"Up\\0\"\n"
      "      ir-reference {\n"
      "        remote = string \"@@current\\0\"\n"
      "        signal = string \"Ch+\\0\"\n"
      "      }\n"
      "    }\n"
      "  }\n"
      "  remote {\n"
      "    current = string \"Living TV\\0\"\n"
      "    page = int16 -32768\n"
      "  }\n"
      "}\n";
  EXPECT_EQ(text, expected);

  room_state read;
  read.hot_buttons[2] = {"old", "Old", 5};  // every record is written, so every record is replaced
  read.hard_buttons["Down"] = {"@@current", "Ch-"};  // the table read replaces the whole table
  ASSERT_EQ(xman::read_room_document(document, read, nullptr), 0);
  EXPECT_EQ(read, sample_room());
}

TEST(RoomDocument, HotListReadingRules) {
  zqtest::temp_folder folder;
  zqtest::write_bytes(folder.path() / "tv.pdb",
                      zqtest::database_image("TV", "Rda1", 330, {zqtest::remote_layout_record()}));
  xman::database_catalog databases;
  databases.set_up(folder.device_path(), xman::codebase_catalog::filter());
  const xman::codebase_catalog codebases(databases);

  std::string nine;
  for (int i = 0; i < 9; ++i) nine += item("l" + std::to_string(i), "TV", i);
  struct rule_case {
    const char* what;
    std::string hot_list;
    std::vector<hot_button> first;  // the first records afterwards; the rest stay free
  };
  const rule_case cases[] = {
      {"a missing codebase loses label and name",
       "hot-remotes {\n" + item("tv", "TV", 2) + item("gone", "Gone", 4) + "}",
       {{"tv", "TV", 2}, {"", "", 4}}},
      {"an empty codebase loses its label", "hot-remotes {\n" + item("x", "") + "}", {{"", "", 0}}},
      {"a label after the codebase stays",
       "hot-remotes {\nitem {\ndatabase = string \"TV\\0\"\ncategory = string \"c\\0\"\n}\n}", {{"c", "TV", 0}}},
      {"items after the eighth are ignored", "hot-remotes {\n" + nine + "}",
       {{"l0", "TV", 0}, {"l1", "TV", 1}, {"l2", "TV", 2}, {"l3", "TV", 3},
        {"l4", "TV", 4}, {"l5", "TV", 5}, {"l6", "TV", 6}, {"l7", "TV", 7}}},
      {"a room list is not checked and offers the default room",
       "hot-rooms {\n" + item("a", "Gone") + item("", "") + "}",
       {{"a", "Gone", 0}, {"iUnk", "Default Room", 0}}},
      {"a room list holding the default room gets no second one",
       "hot-rooms {\n" + item("", "") + item("mine", "Default Room", 2) + "}",
       {{"", "", 0}, {"mine", "Default Room", 2}}},
      {"unknown elements and attribute types are passed over",
       "hot-remotes {\nitem {\npage = string \"7\\0\"\ndatabase = int8 1\nodd {\nitem {}\n}\n}\n"
       "item {\npage = int8 -2\n}\n}",
       {{"", "", 0}, {"", "", -2}}},
  };
  for (const rule_case& c : cases) {
    SCOPED_TRACE(c.what);
    room_state room;
    for (auto& record : room.hot_buttons) record = {"stale", "Stale", 9};
    ASSERT_EQ(xman::read_room_document(compiled("room {\n" + c.hot_list + "\n}"), room, &codebases), 0);
    remote::hot_button_table expected;
    for (auto& record : expected) record = {"stale", "Stale", 9};
    for (std::size_t i = 0; i < c.first.size(); ++i) expected[i] = c.first[i];
    EXPECT_EQ(room.hot_buttons, expected);
  }
}

TEST(RoomDocument, ReadsEachPartAndStopsAtAFault) {
  room_state room;
  const std::string text =
      "room {\n"
      "  name = string \"Kitchen\\0\"\n"
      "  unknown {\n remote {\n current = string \"Wrong\\0\"\n }\n }\n"
      "  hardbuttons {\n button {\n id = string \"Left\\0\"\n action {\n command = string \"Disable\\0\"\n }\n }\n }\n"
      "  remote {\n current = string \"TV\\0\"\n page = int16 2\n remote {\n page = int16 9\n }\n }\n"
      "  hot-remotes {\n" + item("a", "A") + "  }\n"
      "}\n";
  ASSERT_EQ(xman::read_room_document(compiled(text), room, nullptr), 0);
  EXPECT_EQ(room.name, "Kitchen");
  EXPECT_EQ(room.current, "TV");
  EXPECT_EQ(room.page, 2);
  EXPECT_EQ(room.hot_buttons[0], (hot_button{"a", "A", 0}));
  EXPECT_EQ(room.hard_buttons, (outworld::assignment_table{{"Left", {"@@action", "Disable"}}}));

  // Cut inside the hot list: the parts before the cut stay applied.
  std::vector<std::uint8_t> cut = compiled("room {\nremote {\ncurrent = string \"TV\\0\"\npage = int16 5\n}\nhot-remotes {\n" +
                                           item("x", "X") + item("y", "Y") + "}\n}");
  cut.resize(cut.size() - 20);
  room_state partial;
  EXPECT_EQ(xman::read_room_document(cut, partial, nullptr), zq::rc::malformed_document);
  EXPECT_EQ(partial.current, "TV");
  EXPECT_EQ(partial.hot_buttons[0], (hot_button{"x", "X", 0}));

  room_state untouched;
  EXPECT_EQ(xman::read_room_document({}, untouched, nullptr), 0);
  EXPECT_EQ(untouched, room_state{});
}

}  // namespace
