// The text-input dialog on the headless backend: its edit controls become CZQXEdit fields, and the
// input panel is up only while a field has the focus and down again when the dialog ends.
#include "dialogs/zqx_input_dialog.h"

#include <gtest/gtest.h>

#include "dialogs/input_panel.h"
#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/window_input.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;

TEST(InputDialog, TheInputPanelIsUpWhileAFieldHasTheFocusAndTheFieldTakesTypedText) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  CZQXInputDialog dialog(9204, 9204, 9204);
  std::vector<bool> panel;
  std::wstring typed;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    panel.push_back(dialogs::input_panel_shown());  // on the check box
    headless::key(vk_nav_down);  // to the field, whose text is selected
    headless::settle();
    panel.push_back(dialogs::input_panel_shown());
    for (const wchar_t ch : std::wstring(L"Den")) deliver_char(ch);
    headless::settle();
    typed = dialog.Field(1040) != nullptr ? dialog.Field(1040)->GetText() : L"?";
    headless::key(vk_nav_down);  // on to OK
    headless::settle();
    panel.push_back(dialogs::input_panel_shown());
    headless::key(vk_nav_up);  // back to the field
    headless::key(vk_escape);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 2);
  EXPECT_EQ(panel, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(typed, L"Den");
  EXPECT_FALSE(dialogs::input_panel_shown());
  EXPECT_EQ(dialog.Field(1040), nullptr);  // the dialog is gone
}

}  // namespace
