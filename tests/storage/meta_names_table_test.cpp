#include "storage/meta_names_table.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/meta_string.h"

namespace {

TEST(MetaNamesTable, AddNumbersNewNamesAndFindsKnownOnes) {
  meta::names_table names;
  EXPECT_EQ(names.add("page"), 1);
  EXPECT_EQ(names.add("x"), 2);
  EXPECT_EQ(names.add("page"), 1);
  EXPECT_EQ(names.index_of("x"), 2);
  EXPECT_EQ(names.index_of("y"), 0);
  EXPECT_STREQ(names.name_of(1), "page");
  EXPECT_EQ(names.name_of(0), nullptr);
  EXPECT_EQ(names.name_of(3), nullptr);
}

TEST(MetaNamesTable, AppendKeepsDocumentOrderAndDuplicates) {
  meta::names_table names;
  EXPECT_EQ(names.append("a\0", 2), 1);
  EXPECT_EQ(names.append("a\0", 2), 2);
  EXPECT_EQ(names.append("b\0x\0", 4), 3);  // an inner NUL: the text ends there, the bytes are kept
  EXPECT_EQ(names.append("no-nul", 6), 0);
  EXPECT_EQ(names.index_of("a"), 1);
  EXPECT_EQ(names.index_of("b"), 3);
  meta::name_ref n;
  ASSERT_TRUE(names.find(3, n));
  EXPECT_EQ(std::string(n.text, n.length), std::string("b\0x\0", 4));
  EXPECT_EQ(n.index, 3);
}

TEST(MetaNamesTable, TextsStayPutWhileTheTableGrowsToItsLimit) {
  meta::names_table names;
  names.add("first");
  const char* first = names.name_of(1);
  for (std::size_t i = 2; i <= meta::max_names; ++i) ASSERT_EQ(names.add("name" + std::to_string(i)), i);
  EXPECT_TRUE(names.full());
  EXPECT_EQ(names.add("one more"), 0);
  EXPECT_EQ(names.append("x\0", 2), 0);
  EXPECT_EQ(names.name_of(1), first);
  EXPECT_STREQ(first, "first");
  EXPECT_STREQ(names.name_of(65535), "name65535");
  names.clear();
  EXPECT_EQ(names.size(), 0u);
  EXPECT_EQ(names.index_of("first"), 0);
}

TEST(MetaString, BorrowedAndOwnedCopies) {
  const meta::string empty;
  EXPECT_EQ(empty.data(), nullptr);
  EXPECT_EQ(empty.length(), 0u);
  EXPECT_EQ(empty.ownership(), meta::string::ownership_t::borrowed);

  const char* text = "room";
  const meta::string borrowed = meta::string::borrow(text);
  EXPECT_EQ(borrowed.data(), text);
  EXPECT_EQ(borrowed.length(), 5u);
  const meta::string borrowed_again(borrowed);
  EXPECT_EQ(borrowed_again.data(), text);
  EXPECT_EQ(borrowed_again.ownership(), meta::string::ownership_t::borrowed);

  const meta::string owned = meta::string::copy(text);
  EXPECT_NE(owned.data(), text);
  EXPECT_EQ(owned.ownership(), meta::string::ownership_t::owned);
  meta::string owned_again = owned;
  EXPECT_NE(owned_again.data(), owned.data());
  EXPECT_EQ(owned_again, borrowed);
  EXPECT_EQ(owned_again.view(), "room");
  owned_again = empty;
  EXPECT_TRUE(owned_again.empty());
}

}  // namespace
