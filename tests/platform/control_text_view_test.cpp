// The read-only scrollable text on the headless backend: its bar's range and page, scrolling by
// the bar, the stylus and the pad; and the look of the text controls (edit fields, the text, a
// horizontal scroll bar) at 240 x 320 and doubled at 480 x 640.
#include "platform/control_text_view.h"

#include <gtest/gtest.h>

#include "platform/control_edit.h"
#include "platform/control_font.h"
#include "platform/control_scroll_bar.h"
#include "platform/hardware_key_names.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "platform/window_focus.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

const std::wstring help_body =
    L"The Remote Screen form allows you to control your home entertainment devices.\r\n\r\n"
    L"To select a device, tap the small triangle beside its name and pick it from the list.\r\n\r\n"
    L"To control your device, just tap the virtual images of the remote buttons on the screen of your "
    L"handheld, while pointing the handheld at the given entertainment device.\r\n\r\nTIPS:\r\n\r\n"
    L"Use the navigation buttons of the handheld to switch pages.\r\n\r\n"
    L"The \"menu\" button opens the device's menu.\r\n\r\n";

TEST(TextViewControl, LongTextScrollsByBarStylusAndPadWithinItsRange) {
  zqtest::message_recorder log;
  const hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, 240, 320});
  register_text_view_class();
  const hwnd view =
      create_window({text_view_class, help_body, ws::child | ws::visible, 0, {10, 10, 230, 130}, parent, 5});
  const hwnd bar = child_by_id(view, text_view_scroll_bar_id);
  ASSERT_NE(bar, no_window);
  EXPECT_TRUE(is_window_visible(bar));
  scroll_info info;
  info.mask = sif::all;
  send_message(bar, sbm::getscrollinfo, 0, reinterpret_cast<lparam_t>(&info));
  const int page = 120 - 2 - 4;  // inside the frame and the margins
  EXPECT_EQ(info.page, page);
  EXPECT_GT(info.max + 1, 2 * page);  // wrapped into many lines
  const int most = info.max + 1 - page;
  const int line = default_control_font()->metrics().height;

  const rect bar_place = window_rect(bar);
  const int bar_x = (bar_place.left + bar_place.right) / 2;
  headless::tap({bar_x, bar_place.bottom - 3});  // the down arrow: a line
  headless::settle();
  EXPECT_EQ(text_view_scroll(view), line);
  headless::tap({bar_x, bar_place.bottom - 20});  // the trough below the thumb: a page less a line
  headless::settle();
  EXPECT_EQ(text_view_scroll(view), line + page - line);
  EXPECT_EQ(scroll_bar_pos(bar), text_view_scroll(view));
  // The stylus drags the text: up by 30 pixels shows 30 more; far down stops at the top.
  headless::down({100, 100});
  headless::move({100, 70});
  headless::up({100, 70});
  headless::settle();
  EXPECT_EQ(text_view_scroll(view), page + 30);
  headless::down({100, 20});
  headless::move({100, 300});
  headless::up({100, 300});
  headless::settle();
  EXPECT_EQ(text_view_scroll(view), 0);
  // The thumb dragged past the end shows the last page; Up takes one line back.
  headless::down({bar_x, bar_place.top + 20});
  headless::move({bar_x, bar_place.bottom + 50});
  headless::up({bar_x, bar_place.bottom + 50});
  headless::key(vk_nav_up);
  headless::settle();
  EXPECT_EQ(text_view_scroll(view), most - line);
  // A short text needs no bar; a new text starts at the top.
  text_view_set_text(view, L"Two\r\nlines");
  EXPECT_FALSE(is_window_visible(bar));
  EXPECT_EQ(text_view_scroll(view), 0);
  EXPECT_EQ(window_text(view), L"Two\r\nlines");
}

pixel_surface draw_text_controls(size screen) {
  zqtest::message_recorder log;
  set_screen_size(screen);
  const int s = screen_scale();
  const hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, screen.cx, screen.cy});
  register_edit_class();
  register_text_view_class();
  const auto place = [s](int left, int top, int right, int bottom) {
    return rect{left * s, top * s, right * s, bottom * s};
  };
  const hwnd name = create_window(
      {edit_class, L"Living room TV", ws::child | ws::visible, 0, place(8, 8, 232, 30), parent, 1});
  create_window({edit_class, L"Read-only text", ws::child | ws::visible | es::readonly, 0, place(8, 36, 232, 58),
                 parent, 2});
  create_window({text_view_class, help_body, ws::child | ws::visible, 0, place(8, 66, 232, 270), parent, 3});
  const hwnd across =
      create_window({scroll_bar_class, L"", ws::child | ws::visible | sbs::horz, 0, place(8, 280, 232, 293), parent, 4});
  set_scroll_bar(across, 0, 99, 20, 40);
  set_focus(name);
  send_message(name, em::setsel, 7, 11);
  log.pump();
  return screen_surface();
}

TEST(TextControlsGolden, EditFieldsTextAndScrollBarAtBothScreenSizes) {
  EXPECT_TRUE(zqtest::matches_golden(draw_text_controls({240, 320}), "text_controls"));
  EXPECT_TRUE(zqtest::matches_golden(draw_text_controls({480, 640}), "text_controls_vga"));
}

}  // namespace
