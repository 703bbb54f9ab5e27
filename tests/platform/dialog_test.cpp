// Modal dialogs on the headless backend, driven by queued stylus and key input: the focus on the
// navigation pad, Select and Escape, the controls that keep the arrows they select with, radio
// groups, check boxes, the end of the loop, the template the screen picks, and the picture.
#include "platform/dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control_check_box.h"
#include "platform/control_list_view.h"
#include "platform/control_listbox.h"
#include "platform/control_tab.h"
#include "platform/control_tree_view.h"
#include "platform/dialog_template.h"
#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_loop.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;
constexpr std::uint32_t top_visible = ws::overlapped | ws::visible;
constexpr std::uint32_t vk_escape = 0x1B;
constexpr std::uint32_t vk_return = 0x0D;

// The sample dialog: IR radios 1001-1003 and resolution radios 1011-1012 (two groups), check box
// 1020, OK (default) and Cancel. It starts with "240 x 320" checked and writes down what it hears.
class sample_dialog : public CDialog {
 public:
  explicit sample_dialog(CWnd* parent = nullptr) : CDialog(dialog_template_ids{9101, 9102, 9103}, parent) {}

  std::vector<std::string> events;
  std::function<void(sample_dialog&)> on_init;

  bool OnInitDialog() override {
    events.push_back("init");
    CheckRadioButton(1011, 1012, 1011);
    if (on_init) on_init(*this);
    return true;
  }
  bool OnCommand(wparam_t w, lparam_t l) override {
    events.push_back("command " + std::to_string(loword(w)));
    return CDialog::OnCommand(w, l);
  }
  bool OnCmdMsg(std::uint32_t id) override {
    if (id != 77) return false;
    EndDialog(77);
    return true;
  }
  void OnOK() override {
    events.push_back("ok: " + std::to_string(GetCheckedRadioButton(1001, 1003)) + " " +
                     std::to_string(GetCheckedRadioButton(1011, 1012)) + (IsDlgButtonChecked(1020) ? " sounds" : ""));
    CDialog::OnOK();
  }
};

point middle_of(hwnd control) {
  const rect r = window_rect(control);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(Dialog, ThePadMovesTheFocusSelectPressesTheFocusedButtonOrTheDefaultAndEscapeCancels) {
  struct key_case {
    std::vector<std::uint32_t> keys;
    int result;
    std::vector<std::string> events;
  };
  const std::uint32_t down = vk_nav_down;
  const key_case cases[] = {
      // Radio buttons reached by the pad are clicked; Select on a radio button presses OK.
      {{down, down, vk_nav_select}, 1, {"init", "command 1002", "command 1003", "command 1", "ok: 1003 1011"}},
      // Up from the first tab stop wraps to Cancel, which Select then presses.
      {{vk_nav_up, vk_nav_select}, 2, {"init", "command 2"}},
      {{vk_escape}, 2, {"init", "command 2"}},
      // A new group keeps the other's check; Select turns the focused check box over; Right goes on to OK.
      {{down, down, down, down, down, vk_nav_select, vk_nav_right, vk_return},
       1,
       {"init", "command 1002", "command 1003", "command 1012", "command 1020", "command 1", "ok: 1003 1012 sounds"}},
  };
  for (const key_case& c : cases) {
    zqtest::message_recorder log;
    const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
    sample_dialog dialog;
    for (std::uint32_t key : c.keys) headless::key(key);
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.events, c.events);
    EXPECT_EQ(active_window(), owner);
  }
}

TEST(Dialog, AListKeepsUpAndDownWhileLeftAndRightLeaveIt) {
  class list_dialog : public CDialog {
   public:
    list_dialog() : CDialog(9104) {}
    int chosen = -2;
    bool OnInitDialog() override {
      for (const wchar_t* line : {L"COM1:", L"COM2:", L"COM3:"}) {
        send_message(GetDlgItem(1050), lb::addstring, 0, reinterpret_cast<lparam_t>(line));
      }
      set_focus(GetDlgItem(1050));
      return false;
    }
    void OnOK() override {
      chosen = static_cast<int>(send_message(GetDlgItem(1050), lb::getcursel, 0, 0));
      CDialog::OnOK();
    }
  };
  zqtest::message_recorder log;
  log.create("A", top_visible, {0, 0, 240, 320});
  list_dialog dialog;
  for (std::uint32_t key : {vk_nav_down, vk_nav_down, vk_nav_down, vk_nav_up, vk_nav_right, vk_nav_select}) {
    headless::key(key);
  }
  EXPECT_EQ(dialog.DoModal(), 1);  // Right went on from the list to OK (the tab stops run Cancel, list, OK)
  EXPECT_EQ(dialog.chosen, 1);
}

TEST(Dialog, TabRowListViewAndTreeViewKeepTheArrowsOfTheirSelection) {
  // A tab row, a list view and a tree view above the dialog's buttons, in a module of the test's own.
  static constexpr std::string_view views_template =
      "dialog 136 150 \"Views\"\n"
      "control 1060 ZqTabControl \"\" 6 6 124 20 tabstop\n"
      "control 1061 ZqListView \"\" 6 30 124 40 tabstop\n"
      "control 1062 ZqTreeView \"\" 6 74 124 40 tabstop\n"
      "control 1 Button \"OK\" 14 126 48 16 default tabstop\n"
      "control 2 Button \"Cancel\" 74 126 48 16 tabstop\n";
  module views;
  views.add(dialog_resource_type, resource_name(1),
            {reinterpret_cast<const std::uint8_t*>(views_template.data()), views_template.size()});
  class views_dialog : public CDialog {
   public:
    views_dialog() : CDialog(1) {}
    int tab = -2;
    int row = -2;
    std::wstring item;
    bool OnInitDialog() override {
      for (const wchar_t* text : {L"Action", L"Graphics", L"Position"}) tab_control::insert_tab(GetDlgItem(1060), 9, text);
      list_view::insert_column(GetDlgItem(1061), 0, L"Port", 100);
      for (const wchar_t* text : {L"COM1:", L"COM2:", L"COM3:"}) list_view::insert_item(GetDlgItem(1061), 9, text, -1, 0);
      for (const wchar_t* text : {L"Kitchen", L"Lounge", L"Study"}) {
        tree_view::insert_item(GetDlgItem(1062), tree_view::root, text, -1, 0, false, tree_view::insert_at_t::last);
      }
      return true;  // the focus goes to the first tab stop, the tab row
    }
    void OnOK() override {
      tab = tab_control::selected_tab(GetDlgItem(1060));
      row = list_view::selected_item(GetDlgItem(1061));
      item = tree_view::item_text(GetDlgItem(1062), tree_view::selected_item(GetDlgItem(1062)));
      CDialog::OnOK();
    }
  };
  zqtest::message_recorder log;
  log.create("A", top_visible, {0, 0, 240, 320});
  views_dialog dialog;
  dialog.SetTemplateModule(views);
  // Right twice on the tab row, Down on to the list; Down three times and Up in the list, Right
  // on to the tree; Down twice in the tree, Right on to OK, which Select presses.
  for (std::uint32_t key : {vk_nav_right, vk_nav_right, vk_nav_down, vk_nav_down, vk_nav_down, vk_nav_down, vk_nav_up,
                            vk_nav_right, vk_nav_down, vk_nav_down, vk_nav_right, vk_nav_select}) {
    headless::key(key);
  }
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.tab, 2);
  EXPECT_EQ(dialog.row, 1);
  EXPECT_EQ(dialog.item, L"Lounge");
}

TEST(Dialog, StylusTapsKeepARadioGroupExclusiveAndToggleACheckBox) {
  zqtest::message_recorder log;
  log.create("A", top_visible, {0, 0, 240, 320});
  sample_dialog dialog;
  dialog.on_init = [](sample_dialog& d) {
    for (std::uint32_t id : {1001u, 1002u, 1012u, 1020u, 1020u, 1020u}) headless::tap(middle_of(d.GetDlgItem(id)));
    // Down on OK, slid off and lifted elsewhere: no click.
    headless::down(middle_of(d.GetDlgItem(1)));
    headless::move(middle_of(d.GetDlgItem(1022)));
    headless::up(middle_of(d.GetDlgItem(1022)));
    headless::tap(middle_of(d.GetDlgItem(1)));
  };
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(dialog.events, (std::vector<std::string>{"init", "command 1001", "command 1002", "command 1012",
                                                     "command 1020", "command 1020", "command 1020", "command 1",
                                                     "ok: 1002 1012 sounds"}));
}

TEST(Dialog, EndDialogEndsTheLoopWithItsResultAndTheOwnerIsDisabledMeanwhile) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  sample_dialog dialog;
  bool owner_disabled = false;
  std::uint32_t focus_at_start = 0;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    owner_disabled = !is_window_enabled(owner) && active_window() == dialog.m_hWnd;
    focus_at_start = window_id(focus_window());
    dialog.PostMessage(wm::command, 77, 0);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 77);
  EXPECT_TRUE(owner_disabled);
  EXPECT_EQ(focus_at_start, 1001u);  // the first tab stop
  EXPECT_TRUE(is_window_enabled(owner));
  EXPECT_EQ(active_window(), owner);
  EXPECT_EQ(find_window(dialog_class_name, L""), no_window);
  EXPECT_EQ(CDialog(9199).DoModal(), -1);  // no such template
}

TEST(Dialog, ARotationMovesTheOpenDialogsControlsToTheOtherTemplate) {
  zqtest::message_recorder log;
  const hwnd owner = log.create("A", top_visible, {0, 0, 240, 320});
  sample_dialog dialog;
  rect ok_after;
  std::uint16_t in_use = 0;
  log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
    if (m != wm::user) return std::nullopt;
    reset_screen({320, 240});
    ok_after = window_rect(dialog.GetDlgItem(1));
    in_use = dialog.TemplateId();
    dialog.EndDialog(1);
    return 0;
  };
  post_message(owner, wm::user, 0, 0);
  EXPECT_EQ(dialog.DoModal(), 1);
  EXPECT_EQ(in_use, 9102);
  // The landscape dialog (180 x 136 units) centred on the turned screen, OK at its place in it.
  const size extent = dialog_units_to_pixels(size{180, 136}, dialog.BaseUnits());
  EXPECT_EQ(ok_after, dialog.MapDialogRect({34, 114, 82, 130}).offset((320 - extent.cx) / 2, (240 - extent.cy) / 2));
}

TEST(Dialog, TheScreenPicksTheTemplateAndAnotherTemplateMovesTheControls) {
  zqtest::message_recorder log;
  set_screen_size({320, 240});
  log.create("A", top_visible, {0, 0, 320, 240});
  sample_dialog dialog;
  std::uint16_t picked = 0;
  rect ok_before;
  rect ok_after;
  dialog.on_init = [&](sample_dialog& d) {
    picked = d.TemplateId();
    ok_before = position_in_parent(d.GetDlgItem(1));
    set_screen_size({240, 320});
    EXPECT_TRUE(d.ApplyTemplate(d.PickTemplate()));
    ok_after = position_in_parent(d.GetDlgItem(1));
    d.EndDialog(5);
  };
  EXPECT_EQ(dialog.DoModal(), 5);
  EXPECT_EQ(picked, 9102);
  EXPECT_EQ(ok_before, dialog.MapDialogRect({34, 114, 82, 130}));
  EXPECT_EQ(ok_after, dialog.MapDialogRect({14, 162, 62, 178}));
  EXPECT_EQ(dialog.TemplateId(), 9101);
  EXPECT_EQ(pick_dialog_template({1, 2, 3}, {240, 240}), 3);
}

TEST(Dialog, SampleDialogPicture) {
  for (const size screen : {size{240, 320}, size{480, 640}}) {
    zqtest::message_recorder log;
    set_screen_size(screen);
    const hwnd owner = log.create("A", top_visible, {0, 0, screen.cx, screen.cy});
    sample_dialog dialog;
    pixel_surface shot;
    dialog.on_init = [](sample_dialog& d) {
      d.CheckRadioButton(1001, 1003, 1002);
      d.CheckDlgButton(1020, true);
    };
    log.on = [&](hwnd, std::uint32_t m, wparam_t, lparam_t) -> std::optional<lresult_t> {
      if (m != wm::user) return std::nullopt;
      process_pending_messages();  // the paints
      shot = screen_surface();
      dialog.EndDialog(2);
      return 0;
    };
    post_message(owner, wm::user, 0, 0);
    EXPECT_EQ(dialog.DoModal(), 2);
    EXPECT_TRUE(zqtest::matches_golden(shot, "dialog_sample_" + std::to_string(screen.cx) + "x" +
                                                 std::to_string(screen.cy)));
  }
}

}  // namespace
