#include "base/text_conversion.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePageText, MapsHighControlBytesBothWays) {
  const std::string bytes = "\x80\x99\xE9\x41\x81";
  const std::wstring wide = zq::code_page_to_wide(bytes);
  EXPECT_EQ(wide, std::wstring(L"\u20AC\u2122\u00E9A\u0081"));
  EXPECT_EQ(zq::wide_to_code_page(wide), bytes);
}

TEST(CodePageText, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(zq::wide_to_code_page(L"a\u4E2Db"), "a?b");
}

TEST(Utf8Text, RoundTripsAllPlanesAndReplacesBrokenSequences) {
  const std::wstring wide = L"TV \u00E9\u20AC\U0001F4FA";
  EXPECT_EQ(zq::utf8_to_wide(zq::wide_to_utf8(wide)), wide);
  EXPECT_EQ(zq::utf8_to_wide("a\xC3"), std::wstring(L"a\uFFFD"));
  EXPECT_EQ(zq::utf8_to_wide("\xFF" "b"), std::wstring(L"\uFFFD" L"b"));
}

}  // namespace
