#include "storage/hot_button_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using remote::hot_button;
using remote::hot_button_table;

// Records 1, 3 and 7 (of 0..7) hold TV, record 5 holds DVD, the rest are free.
hot_button_table sample() {
  hot_button_table table;
  table[1] = {"tv", "TV", 4};
  table[3] = {"tv2", "TV", 2};
  table[5] = {"dvd", "DVD", 1};
  table[7] = {"tv8", "TV", 6};
  return table;
}

TEST(HotButtonTable, ChangingOperationsActOnEveryRecordOfTheCodebase) {
  struct change_case {
    const char* what;
    std::function<bool(hot_button_table&)> run;
    bool changed;
    std::function<void(hot_button_table&)> expect;  // applied to sample() to give the result
  };
  const change_case cases[] = {
      {"forget reaches records 6 to 8", [](hot_button_table& t) { return t.forget_codebase("TV"); }, true,
       [](hot_button_table& t) {
         t[1] = {"", "", 4};
         t[3] = {"", "", 2};
         t[7] = {"", "", 6};
       }},
      {"forget compares exactly", [](hot_button_table& t) { return t.forget_codebase("tv"); }, false,
       [](hot_button_table&) {}},
      {"forget of no codebase leaves free labels",
       [](hot_button_table& t) {
         t[0].label = "x";
         return t.forget_codebase("");
       },
       false, [](hot_button_table& t) { t[0].label = "x"; }},
      {"rename", [](hot_button_table& t) { return t.rename_codebase("DVD", "Blu-ray"); }, true,
       [](hot_button_table& t) { t[5].codebase = "Blu-ray"; }},
      {"rename to the same name", [](hot_button_table& t) { return t.rename_codebase("DVD", "DVD"); }, false,
       [](hot_button_table&) {}},
      {"rename of no codebase", [](hot_button_table& t) { return t.rename_codebase("", "X"); }, false,
       [](hot_button_table&) {}},
      {"add takes the first free record", [](hot_button_table& t) { return t.add("Radio", "fm"); }, true,
       [](hot_button_table& t) { t[0] = {"fm", "Radio", 0}; }},
      {"add of a held name", [](hot_button_table& t) { return t.add("DVD", "again"); }, false,
       [](hot_button_table&) {}},
      {"add of no name", [](hot_button_table& t) { return t.add("", "x"); }, false, [](hot_button_table&) {}},
      {"store page",
       [](hot_button_table& t) {
         t.store_page("TV", 9);
         return true;
       },
       true, [](hot_button_table& t) { t[1].last_page = t[3].last_page = t[7].last_page = 9; }},
  };
  for (const change_case& c : cases) {
    SCOPED_TRACE(c.what);
    hot_button_table table = sample();
    hot_button_table expected = sample();
    c.expect(expected);
    EXPECT_EQ(c.run(table), c.changed);
    EXPECT_EQ(table, expected);
  }
}

TEST(HotButtonTable, LookUpsAndAFullTable) {
  const hot_button_table table = sample();
  EXPECT_EQ(table.find_page("TV"), 4);  // the first record's page
  EXPECT_EQ(table.find_page("DVD"), 1);
  EXPECT_EQ(table.find_page("VCR"), 0);
  EXPECT_TRUE(table.contains("DVD"));
  EXPECT_FALSE(table.contains("VCR"));
  EXPECT_FALSE(table.contains(""));  // free records hold no codebase

  hot_button_table full;
  for (int i = 0; i < 8; ++i) ASSERT_TRUE(full.add("C" + std::to_string(i), "l"));
  EXPECT_FALSE(full.add("C8", "l"));
  EXPECT_EQ(full[7], (hot_button{"l", "C7", 0}));
}

}  // namespace
