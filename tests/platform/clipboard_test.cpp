// The clipboard's text within the process, and through a desktop clipboard in UTF-8.
#include "platform/clipboard.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(Clipboard, TextGoesRoundTripEndingAtItsFirstNul) {
  std::wstring text;
  ASSERT_TRUE(set_clipboard_text(L"0000 0067 \u00E9\u20AC"));
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"0000 0067 \u00E9\u20AC");
  ASSERT_TRUE(set_clipboard_text(std::wstring(L"a\0b", 3)));
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"a");

  // A desktop clipboard takes and gives UTF-8; one without text says so.
  std::string desktop;
  bool holds = false;
  set_clipboard_host({[&](const std::string& utf8) {
                        desktop = utf8;
                        holds = true;
                        return true;
                      },
                      [&](std::string& utf8) {
                        utf8 = desktop;
                        return holds;
                      }});
  EXPECT_FALSE(clipboard_text(text));
  EXPECT_TRUE(text.empty());
  ASSERT_TRUE(set_clipboard_text(L"\u00FC"));
  EXPECT_EQ(desktop, "\xC3\xBC");
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"\u00FC");
  set_clipboard_host({});
  ASSERT_TRUE(clipboard_text(text));
  EXPECT_EQ(text, L"a");  // the in-process clipboard was left alone
}

}  // namespace
