#include "storage/meta_names_table.h"

#include <gtest/gtest.h>

#include <string>

#include "storage/meta_string.h"

namespace {

TEST(MetaNamesTable, AddFindsKnownNamesAppendKeepsDocumentOrderUpToTheLimit) {
  meta::names_table names;
  EXPECT_EQ(names.add("page"), 1);
  EXPECT_EQ(names.add("x"), 2);
  EXPECT_EQ(names.add("page"), 1);
  EXPECT_EQ(names.index_of("y"), 0);
  EXPECT_EQ(names.name_of(0), nullptr);
  EXPECT_EQ(names.name_of(3), nullptr);
  // Entries read from a document: duplicates kept, an inner NUL ends the text but not the bytes.
  EXPECT_EQ(names.append("x\0", 2), 3);
  EXPECT_EQ(names.append("b\0x\0", 4), 4);
  EXPECT_EQ(names.append("no-nul", 6), 0);
  EXPECT_EQ(names.index_of("x"), 2);
  EXPECT_EQ(names.index_of("b"), 4);
  meta::name_ref n;
  ASSERT_TRUE(names.find(4, n));
  EXPECT_EQ(std::string(n.text, n.length), std::string("b\0x\0", 4));
  EXPECT_EQ(n.index, 4);
  // Texts stay put while the table grows to its limit.
  const char* first = names.name_of(1);
  for (std::size_t i = 5; i <= meta::max_names; ++i) ASSERT_EQ(names.add("name" + std::to_string(i)), i);
  EXPECT_TRUE(names.full());
  EXPECT_EQ(names.add("one more"), 0);
  EXPECT_EQ(names.append("z\0", 2), 0);
  EXPECT_EQ(names.name_of(1), first);
  EXPECT_STREQ(first, "page");
  EXPECT_STREQ(names.name_of(65535), "name65535");
  names.clear();
  EXPECT_EQ(names.size(), 0u);
  EXPECT_EQ(names.index_of("page"), 0);
}

TEST(MetaString, CopiesOfBorrowedStringsBorrowAndOfOwnedOnesOwn) {
  const char* text = "room";
  const meta::string borrowed(meta::string::borrow(text));
  EXPECT_EQ(borrowed.data(), text);
  EXPECT_EQ(borrowed.length(), 5u);
  EXPECT_EQ(meta::string(borrowed).data(), text);
  const meta::string owned = meta::string::copy(text);
  meta::string again = owned;
  EXPECT_NE(owned.data(), text);
  EXPECT_NE(again.data(), owned.data());
  EXPECT_EQ(again.ownership(), meta::string::ownership_t::owned);
  EXPECT_EQ(again, borrowed);
  EXPECT_EQ(again.view(), "room");
  const meta::string empty;
  again = empty;
  EXPECT_TRUE(again.empty());
  EXPECT_EQ(again.data(), nullptr);
}

}  // namespace
