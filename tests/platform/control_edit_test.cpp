// The single-line edit field on the headless backend, driven by queued stylus and key input and
// posted characters: the character limit, selection, the clipboard, undo, read-only fields and
// the context menu 257.
#include "platform/control_edit.h"

#include <gtest/gtest.h>

#include "platform/clipboard.h"
#include "platform/dialog.h"
#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/menu_popup.h"
#include "platform/message_queue.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t vk_shift = 0x10;
constexpr std::uint32_t vk_control = 0x11;
constexpr std::uint32_t vk_home = 0x24;
constexpr std::uint32_t vk_end = 0x23;
constexpr std::uint32_t vk_right = 0x27;
constexpr std::uint32_t vk_delete = 0x2E;
constexpr std::uint32_t vk_escape = 0x1B;

struct edit_fixture {
  zqtest::message_recorder log;
  hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  hwnd field = no_window;
  std::vector<std::uint32_t> notes;  // the field's notifications, in order

  explicit edit_fixture(std::uint32_t style = 0, const std::wstring& text = L"") {
    register_edit_class();
    field = create_window({edit_class, text, ws::child | ws::visible | style, 0, {10, 10, 210, 32}, parent, 7});
    log.on = [this](hwnd h, std::uint32_t m, wparam_t w, lparam_t l) -> std::optional<lresult_t> {
      if (h == parent && m == wm::command && loword(w) == 7 && hwnd_of_param(static_cast<wparam_t>(l)) == field) {
        notes.push_back(hiword(w));
      }
      return std::nullopt;
    };
    headless::tap(screen({190, 10}));  // the focus, caret at the end
    settle();
  }
  static point screen(point p) { return {p.x + 10, p.y + 10}; }
  void type(std::wstring_view text) {
    for (wchar_t ch : text) post_message(field, wm::char_, ch, 0);
  }
  // A key pressed while the modifier is held: a held key is down until the waits before its
  // release have passed.
  static void chord(std::uint32_t modifier, std::uint32_t key) {
    headless::key_down(modifier);
    headless::key(key);
    headless::wait(1);
    headless::key_up(modifier);
  }
  static void settle() { headless::settle(); }
  std::wstring text() const { return window_text(field); }
  std::pair<int, int> selection() const {
    int start = 0;
    int end = 0;
    send_message(field, em::getsel, reinterpret_cast<wparam_t>(&start), reinterpret_cast<lparam_t>(&end));
    return {start, end};
  }
};

TEST(EditControl, TypingStopsAtTheLimitAndTheParentHearsOfEveryChange) {
  edit_fixture f;
  EXPECT_EQ(f.notes, (std::vector<std::uint32_t>{en::setfocus}));
  f.notes.clear();
  send_message(f.field, em::limittext, 5, 0);
  EXPECT_EQ(send_message(f.field, em::getlimittext, 0, 0), 5);
  f.type(L"Kitchen");
  f.settle();
  EXPECT_EQ(f.text(), L"Kitch");
  EXPECT_EQ(f.notes, (std::vector<std::uint32_t>{en::change, en::change, en::change, en::change, en::change,
                                                  en::maxtext, en::maxtext}));
  // Control characters other than backspace do nothing; backspace takes the last character.
  f.type(std::wstring{L'\t', L'\x08'});
  f.settle();
  EXPECT_EQ(f.text(), L"Kitc");
  // A pasted text is cut to the room left; its line breaks become spaces.
  set_clipboard_text(L"h\r\nen");
  f.chord(vk_control, 'V');
  f.settle();
  EXPECT_EQ(f.text(), L"Kitch");
  send_message(f.field, em::limittext, 0, 0);
  set_clipboard_text(L"\r\n0000 006D\r0022\n0002\r\n");
  f.chord(vk_control, 'V');
  f.settle();
  EXPECT_EQ(f.text(), L"Kitch 0000 006D 0022 0002 ");
  send_message(f.field, em::limittext, 5, 0);
  f.notes.clear();
  edit_set_text(f.field, L"Television set");  // the program's text is held to the limit too
  EXPECT_EQ(f.text(), L"Telev");
  EXPECT_EQ(f.notes, (std::vector<std::uint32_t>{en::change}));
  EXPECT_EQ(f.selection(), std::make_pair(0, 0));
}

TEST(EditControl, SelectionCutAndPasteGoThroughTheClipboardAndUndoTakesThemBack) {
  edit_fixture f(0, L"Living room");
  set_clipboard_text(L"");
  headless::key(vk_home);
  for (int i = 0; i < 6; ++i) f.chord(vk_shift, vk_right);
  f.chord(vk_control, 'X');
  f.settle();
  std::wstring clip;
  ASSERT_TRUE(clipboard_text(clip));
  EXPECT_EQ(clip, L"Living");
  EXPECT_EQ(f.text(), L" room");
  headless::key(vk_end);
  f.chord(vk_control, 'V');
  f.settle();
  EXPECT_EQ(f.text(), L" roomLiving");
  EXPECT_EQ(f.selection(), std::make_pair(11, 11));
  f.chord(vk_control, 'Z');
  f.settle();
  EXPECT_EQ(f.text(), L" room");
  f.chord(vk_control, 'Z');  // undoing the undo
  f.settle();
  EXPECT_EQ(f.text(), L" roomLiving");
  // Typing in a row is one change to undo; Delete is another.
  f.type(L"ab");
  f.chord(vk_control, 'Z');
  f.settle();
  EXPECT_EQ(f.text(), L" roomLiving");
  headless::key(vk_home);
  headless::key(vk_delete);
  f.settle();
  EXPECT_EQ(f.text(), L"roomLiving");
  f.chord(vk_control, 'Z');
  f.settle();
  EXPECT_EQ(f.text(), L" roomLiving");
  // The stylus dragged over the field from its left edge selects up to where it is lifted.
  headless::down(edit_fixture::screen({3, 10}));
  headless::move(edit_fixture::screen({150, 10}));
  headless::up(edit_fixture::screen({150, 10}));
  f.chord(vk_control, 'C');
  f.settle();
  EXPECT_EQ(f.selection(), std::make_pair(0, 11));
  ASSERT_TRUE(clipboard_text(clip));
  EXPECT_EQ(clip, L" roomLiving");
}

TEST(EditControl, ANumberFieldTakesOnlyDigitsTypedOrPasted) {
  edit_fixture f(es::number);
  f.type(L"1a2 3");
  set_clipboard_text(L"45x");
  f.chord(vk_control, 'V');
  f.settle();
  EXPECT_EQ(f.text(), L"123");
  set_clipboard_text(L"45");
  f.chord(vk_control, 'V');
  f.settle();
  EXPECT_EQ(f.text(), L"12345");
}

TEST(EditControl, ReadOnlyRefusesEveryEditButCopies) {
  edit_fixture f(es::readonly, L"Remote");
  set_clipboard_text(L"x");
  f.type(L"abc\x08");
  headless::key(vk_home);
  headless::key(vk_delete);
  f.chord(vk_control, 'V');
  f.chord(vk_shift, vk_right);
  f.chord(vk_control, 'X');
  f.chord(vk_control, 'Z');
  f.settle();
  EXPECT_EQ(f.text(), L"Remote");
  EXPECT_EQ(send_message(f.field, em::canundo, 0, 0), 0);
  std::wstring clip;
  ASSERT_TRUE(clipboard_text(clip));
  EXPECT_EQ(clip, L"x");  // the cut copied nothing either
  f.chord(vk_control, 'C');
  f.settle();
  ASSERT_TRUE(clipboard_text(clip));
  EXPECT_EQ(clip, L"R");
  EXPECT_EQ(f.notes, (std::vector<std::uint32_t>{en::setfocus}));
}

// The middle of an item of a popup opened at a screen point: 20 pixels per item from y = 1.
point popup_item(point at, int row) { return {at.x + 10, at.y + 1 + row * 20 + 10}; }

TEST(EditControl, HoldingTheStylusOpensMenu257WhoseCommandsActOnTheField) {
  edit_fixture f(0, L"DVD");
  set_clipboard_text(L"VCR");
  // A short tap opens nothing.
  const point lift = edit_fixture::screen({40, 10});
  headless::press(lift, 100);
  f.settle();
  EXPECT_EQ(find_window(popup_menu_class, L""), no_window);
  // Held: the menu opens where the stylus is lifted; Paste (row 3) pastes at the caret.
  headless::press(lift, edit_hold_ms + 100);
  headless::tap(popup_item(lift, 3));
  headless::key(vk_escape);  // closes the popup should the tap have missed
  f.settle();
  EXPECT_EQ(f.text(), L"DVDVCR");
  EXPECT_EQ(find_window(popup_menu_class, L""), no_window);
  // Undo (row 0) takes the paste back.
  headless::press(lift, edit_hold_ms);
  headless::tap(popup_item(lift, 0));
  headless::key(vk_escape);
  f.settle();
  EXPECT_EQ(f.text(), L"DVD");
}

TEST(EditControl, TheContextRequestOffersOnlyWhatCanActThere) {
  edit_fixture f(es::readonly, L"Living room");
  set_clipboard_text(L"VCR");
  // Read-only with nothing selected: Select All is the one item to pick; Down highlights it.
  post_message(f.field, wm_edit::contextmenu, 0, make_lparam(-1, -1));
  headless::key(vk_nav_down);
  headless::key(vk_nav_select);
  f.settle();
  EXPECT_EQ(f.selection(), std::make_pair(0, 11));
  // With the selection Copy comes first.
  set_clipboard_text(L"");
  post_message(f.field, wm_edit::contextmenu, 0, make_lparam(-1, -1));
  headless::key(vk_nav_down);
  headless::key(vk_nav_select);
  f.settle();
  std::wstring clip;
  ASSERT_TRUE(clipboard_text(clip));
  EXPECT_EQ(clip, L"Living room");
  // Escape closes it without a command.
  post_message(f.field, wm_edit::contextmenu, 0, make_lparam(-1, -1));
  headless::key(vk_escape);
  f.settle();
  EXPECT_EQ(find_window(popup_menu_class, L""), no_window);
  EXPECT_EQ(f.text(), L"Living room");
  EXPECT_EQ(f.selection(), std::make_pair(0, 11));
}

TEST(EditControl, InADialogThePadSelectsTheTextAndLeftStaysWithTheField) {
  // The field is the first tab stop: Down goes on to OK, Up comes back and selects the whole text;
  // then typing replaces it, Left moves the caret (the focus stays) and Select presses OK.
  class name_dialog : public CDialog {
   public:
    name_dialog() : CDialog(9105) {}
    std::wstring name;
    int focused = 0;
    bool OnCommand(wparam_t w, lparam_t l) override {
      if (loword(w) == 1040 && hiword(w) == en::setfocus && ++focused == 2) {
        for (wchar_t ch : std::wstring(L"TV")) post_message(GetDlgItem(1040), wm::char_, ch, 0);
        headless::key(vk_nav_left);
        headless::key(vk_nav_select);
      }
      return CDialog::OnCommand(w, l);
    }
    void OnOK() override {
      name = window_text(GetDlgItem(1040));
      CDialog::OnOK();
    }
  };
  zqtest::message_recorder log;
  log.create("A", ws::overlapped | ws::visible, {0, 0, 240, 320});
  name_dialog dialog;
  headless::key(vk_nav_down);
  headless::key(vk_nav_up);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.focused, 2);
  EXPECT_EQ(dialog.name, L"TV");
}

}  // namespace
