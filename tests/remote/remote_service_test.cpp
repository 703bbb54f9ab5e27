// The remote model's services and buttons on the headless window system: pages and their
// clamping, which button a tap reaches and what it is drawn over, and how each kind of button
// follows the stylus until it is lifted.
#include "remote/service.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_backend.h"
#include "remote/layer.h"
#include "remote/layer_colors.h"
#include "remote/viewer.h"
#include "support/message_recorder.h"
#include "support/remote_document.h"

namespace {

using remote::button;
using zqtest::button_text;

// A service on a 240 x 280 viewer in a window covering the screen, on screen class 0.
struct service_fixture {
  zqtest::message_recorder log;
  platform::hwnd parent = log.create("P", platform::ws::overlapped | platform::ws::visible, {0, 0, 240, 320});
  remote::service svc;
  remote::viewer view;
  std::vector<std::string> events;

  explicit service_fixture(const std::string& document) {
    layer::set_screen_class(0);
    svc.set_source_memory(zqtest::compiled(document));
    view.create(parent, {0, 0, 240, 280});
    view.resize(0, 0, 240, 280);
    view.show(&svc);
    svc.prepare();
  }
  ~service_fixture() { view.show(nullptr); }

  // Every button records its events as "ACTION event"; kind and answer to down are given.
  void record_all(std::int32_t kind, int down_answer = 0) {
    for (button& b : svc.buttons()) {
      b.kind = kind;
      b.callback = [this, down_answer](button&, const std::string& action, button::event_t e) {
        static const char* names[] = {"down", "up", "click", "enter", "leave"};
        events.push_back(action + " " + names[static_cast<int>(e)]);
        return e == button::event_t::down ? down_answer : 0;
      };
    }
  }
  std::uint32_t pixel(int x, int y) { return view.surface()->context().get_pixel(x, y); }
};

std::string two_pages() {
  return zqtest::portrait_document({{button_text(10, 10, 50, 30, "A")}, {button_text(10, 10, 50, 30, "B")}});
}

TEST(RemoteService, TheCurrentPageReadsClampedAndANoFitDocumentTakesNoTap) {
  service_fixture f(two_pages());
  ASSERT_EQ(f.svc.page_count(), 2);
  f.svc.set_current_page(-3);
  EXPECT_EQ(f.svc.current_page(), 0);
  EXPECT_EQ(f.svc.current_page_unclamped(), 0);  // stored as read
  f.svc.set_current_page(7);
  EXPECT_EQ(f.svc.current_page(), 1);
  EXPECT_EQ(f.svc.current_page_unclamped(), 1);
  ASSERT_EQ(f.svc.page_buttons(1).size(), 1u);
  EXPECT_EQ(f.svc.page_buttons(1)[0].action, "B");
}

TEST(RemoteService, ADocumentWithNoFittingLayoutHasNoPagesAndTakesNoTap) {
  // Only a landscape layout: nothing fits a portrait screen.
  service_fixture landscape(
      "remote {\nlayout {\nbase = int16 240\norient = string \"wm-landscape\"\npage {\n" +
      button_text(0, 0, 240, 200, "A") + "}\n}\n}\n");
  EXPECT_EQ(landscape.svc.page_count(), 0);
  landscape.record_all(button::release);
  platform::headless::tap({20, 20});
  platform::headless::settle();
  EXPECT_TRUE(landscape.events.empty());
}

TEST(RemoteService, OfTwoOverlappingButtonsTheLaterTakesTheTapAndIsDrawnOnTop) {
  service_fixture f(zqtest::portrait_document(
      {{button_text(10, 10, 100, 40, "under", {}, 1), button_text(60, 20, 100, 40, "over", {}, 3)}}));
  f.record_all(button::release);
  f.view.repaint_now();
  EXPECT_EQ(f.pixel(80, 30), layer::face_color(3, 0));
  EXPECT_EQ(f.pixel(20, 15), layer::face_color(1, 0));
  platform::headless::tap({80, 30});
  platform::headless::tap({20, 15});
  // The right and bottom edges belong to the button.
  platform::headless::tap({160, 60});
  platform::headless::settle();
  EXPECT_EQ(f.events, (std::vector<std::string>{"over click", "under click", "over click"}));
}

TEST(RemoteService, AReleaseButtonClicksOnlyWhenLiftedOnIt) {
  service_fixture f(zqtest::portrait_document({{button_text(10, 10, 50, 30, "A", {}, 1)}}));
  f.record_all(button::release);
  platform::headless::down({20, 20});
  platform::headless::move({120, 120});
  platform::headless::up({120, 120});
  platform::headless::settle();
  EXPECT_TRUE(f.events.empty());
  f.view.repaint_now();
  EXPECT_EQ(f.pixel(20, 20), layer::face_color(1, 0));  // released look again

  platform::headless::down({20, 20});
  platform::headless::move({120, 120});
  platform::headless::move({25, 25});
  platform::headless::up({25, 25});
  platform::headless::settle();
  EXPECT_EQ(f.events, std::vector<std::string>{"A click"});
}

TEST(RemoteService, ATrackingButtonReportsEnterAndLeaveAndNoClickOutside) {
  service_fixture f(zqtest::portrait_document({{button_text(10, 10, 50, 30, "T")}}));
  f.record_all(button::tracking);
  platform::headless::down({20, 20});
  platform::headless::move({120, 120});
  platform::headless::move({21, 21});
  platform::headless::move({120, 120});
  platform::headless::up({120, 120});
  platform::headless::settle();
  EXPECT_EQ(f.events, (std::vector<std::string>{"T enter", "T leave", "T enter", "T leave"}));
  f.events.clear();
  platform::headless::tap({20, 20});
  platform::headless::settle();
  EXPECT_EQ(f.events, (std::vector<std::string>{"T enter", "T click"}));
}

TEST(RemoteService, APressReleaseButtonStopsAfterDownWhenItsCallbackSaysSo) {
  service_fixture f(zqtest::portrait_document({{button_text(10, 10, 50, 30, "P")}}));
  f.record_all(button::press_release, 0);
  platform::headless::tap({20, 20});
  platform::headless::settle();
  EXPECT_EQ(f.events, (std::vector<std::string>{"P down", "P up"}));
  f.events.clear();
  f.record_all(button::press_release, 1);
  platform::headless::tap({20, 20});
  platform::headless::settle();
  EXPECT_EQ(f.events, std::vector<std::string>{"P down"});
  EXPECT_EQ(f.svc.buttons()[0].state, button::state_pressed);
}

TEST(RemoteService, ADraggedButtonKeepsTheStylusOffsetFromItsCorner) {
  service_fixture f(zqtest::portrait_document({{button_text(10, 10, 50, 30, "D", {}, 2)}}));
  f.record_all(button::drag);
  platform::headless::down({15, 12});
  platform::headless::move({40, 50});
  platform::headless::move({115, 112});
  platform::headless::up({115, 112});
  platform::headless::settle();
  EXPECT_EQ(f.events, std::vector<std::string>{"D click"});
  EXPECT_EQ(f.svc.buttons()[0].rect(), (mif::rectangle{110, 110, 50, 30}));
}

TEST(RemoteService, ACallbackThatReplacesTheDocumentLeavesTheTappedButtonWhole) {
  service_fixture f(two_pages());
  const std::vector<std::uint8_t> other =
      zqtest::compiled(zqtest::portrait_document({{button_text(100, 100, 20, 20, "C")}}));
  for (button& b : f.svc.buttons()) {
    b.kind = button::press_release;
    b.callback = [&](button&, const std::string&, button::event_t e) {
      if (e == button::event_t::down) {
        f.svc.set_source_memory(other);
        f.svc.prepare();
      }
      return 0;  // the old button still redraws itself and hears "up"
    };
  }
  platform::headless::tap({20, 20});
  platform::headless::settle();
  ASSERT_EQ(f.svc.buttons().size(), 1u);
  EXPECT_EQ(f.svc.buttons()[0].action, "C");
}

}  // namespace
