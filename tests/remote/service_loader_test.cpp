// Reading page documents into a service's pages: the layout chosen for the screen, the scaling of
// rectangles and offsets, pages and backgrounds, labels, the fragments buttons are drawn from, and
// damaged documents.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layout_document_text.h"
#include "remote/service_loader.h"

namespace {

using remote::service_document_info;
using remote::service_pages;
using zqtest::layout_document;

constexpr int portrait_240 = 0;
constexpr int landscape_240 = 1;
constexpr int square_240 = 2;
constexpr int portrait_480 = 3;

// A layout with one page holding one button whose action names the layout.
std::string one_button_layout(int base, const std::string& orient, const std::string& action, int x = 10) {
  return "layout {\n base = int16 " + std::to_string(base) + "\n orient = string \"" + orient +
         "\"\n page {\n  button {\n   x = int16 " + std::to_string(x) +
         "\n   y = int16 4\n   w = int16 30\n   h = int16 21\n   action {\n    id = string \"" + action +
         "\"\n   }\n  }\n }\n}\n";
}

std::vector<std::string> actions_of(const service_pages& pages) {
  std::vector<std::string> actions;
  for (const remote::button& b : pages.buttons) actions.push_back(b.action);
  return actions;
}

// The buttons' fragments point into the document: it is kept with them.
struct loaded {
  std::vector<std::uint8_t> document;
  zq::result_t result = -1;
  service_pages pages;
  service_document_info info;
};

loaded load(const std::vector<std::uint8_t>& document, int screen_class) {
  loaded out;
  out.document = document;
  out.result = remote::load_service_pages(out.document, screen_class, out.pages, out.info);
  return out;
}

TEST(ServiceLoader, PortraitLayoutsOf240And480AreChosenByTheScreenAndReadingStopsAfterAPerfectOne) {
  const std::string text =
      "service {\n" + one_button_layout(240, "wm-portrait", "small") + one_button_layout(480, "wm-portrait", "large") + "}\n";
  const std::vector<std::uint8_t> document = layout_document(text);

  const loaded large = load(document, portrait_480);
  ASSERT_EQ(large.result, 0);
  EXPECT_EQ(actions_of(large.pages), std::vector<std::string>{"large"});
  EXPECT_EQ(large.pages.buttons[0].rect(), (mif::rectangle{10, 4, 30, 21}));  // already the screen's base
  EXPECT_EQ(large.pages.page_starts, (std::vector<std::int32_t>{0, 1}));

  const loaded small = load(document, portrait_240);
  ASSERT_EQ(small.result, 0);
  EXPECT_EQ(actions_of(small.pages), std::vector<std::string>{"small"});

  // Cut the document inside its second layout: the 240-wide screen never reads that far, the
  // 480-wide one meets the damage.
  const std::vector<std::uint8_t> cut(document.begin(), document.end() - 4);
  const loaded small_cut = load(cut, portrait_240);
  EXPECT_EQ(small_cut.result, 0);
  EXPECT_EQ(actions_of(small_cut.pages), std::vector<std::string>{"small"});
  const loaded large_cut = load(cut, portrait_480);
  EXPECT_EQ(large_cut.result, -1);
  EXPECT_TRUE(large_cut.pages.buttons.empty());
  EXPECT_TRUE(large_cut.pages.page_starts.empty());
  EXPECT_TRUE(large_cut.pages.backgrounds.empty());
}

TEST(ServiceLoader, AnIntegerRatioReplacesAFractionalOneAndTheFirstOfEqualsStays) {
  const std::string text = "remote {\n" + one_button_layout(320, "wm-portrait", "b320", 7) +
                           one_button_layout(240, "wm-portrait", "b240", 7) +
                           one_button_layout(240, "wm-portrait", "second240", 7) + "}\n";
  const loaded out = load(layout_document(text), portrait_480);
  ASSERT_EQ(out.result, 0);
  EXPECT_EQ(actions_of(out.pages), std::vector<std::string>{"b240"});
  EXPECT_EQ(out.pages.buttons[0].rect(), (mif::rectangle{14, 8, 60, 42}));

  // Alone, the 320 layout is scaled by 3/2 with truncation.
  const loaded only_320 = load(layout_document("remote {\n" + one_button_layout(320, "wm-portrait", "b320", 7) + "}\n"),
                               portrait_480);
  ASSERT_EQ(only_320.result, 0);
  EXPECT_EQ(only_320.pages.buttons[0].rect(), (mif::rectangle{10, 6, 45, 31}));
}

TEST(ServiceLoader, NoFittingLayoutGivesNoPages) {
  const std::string text = "service {\n" + one_button_layout(240, "wm-landscape", "a") +
                           one_button_layout(480, "wm-landscape", "b") + one_button_layout(240, "WM-Portrait", "c") +
                           one_button_layout(240, "wm-unknown", "d") + "}\n";
  for (int screen_class : {portrait_240, portrait_480, square_240, 42}) {
    const loaded out = load(layout_document(text), screen_class);
    EXPECT_EQ(out.result, 0) << screen_class;
    EXPECT_TRUE(out.pages.buttons.empty()) << screen_class;
    EXPECT_EQ(out.pages.page_count(), 0) << screen_class;
  }
  // The landscape screen takes the exact one.
  const loaded landscape = load(layout_document(text), 4);
  EXPECT_EQ(actions_of(landscape.pages), std::vector<std::string>{"b"});
}

TEST(ServiceLoader, QuadAndWmQuadAreOneOrientation) {
  for (const char* name : {"quad", "wm-quad"}) {
    const std::string text = "service {\n" + one_button_layout(240, "wm-portrait", "portrait") +
                             one_button_layout(240, name, "square") + "}\n";
    const loaded out = load(layout_document(text), square_240);
    ASSERT_EQ(out.result, 0) << name;
    EXPECT_EQ(actions_of(out.pages), std::vector<std::string>{"square"}) << name;
  }
}

TEST(ServiceLoader, ADocumentWithoutLayoutsIsOneImplicitLayoutReadUnscaledOnEveryScreen) {
  const std::string text = R"(service {
  name = string "homepage"
  skin = string "zq-skin-metalic"
  page {
    bg = int16 1003
    button {
      x = int16 5
      y = int16 6
      w = int16 50
      h = int16 20
      action {
        id = string "one"
      }
    }
  }
  page {
    button {
      x = int16 7
      y = int16 8
      w = int16 9
      h = int16 10
      action {
        id = string "two"
      }
    }
  }
}
)";
  for (int screen_class : {portrait_240, portrait_480, landscape_240, 6}) {
    const loaded out = load(layout_document(text), screen_class);
    ASSERT_EQ(out.result, 0) << screen_class;
    EXPECT_EQ(actions_of(out.pages), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(out.pages.page_starts, (std::vector<std::int32_t>{0, 1, 2}));
    EXPECT_EQ(out.pages.backgrounds, (std::vector<std::int32_t>{1003, 1000}));
    EXPECT_EQ(out.pages.buttons[0].rect(), (mif::rectangle{5, 6, 50, 20}));
    EXPECT_EQ(out.pages.buttons[1].rect(), (mif::rectangle{7, 8, 9, 10}));
    EXPECT_TRUE(out.info.has_name);
    EXPECT_EQ(out.info.name, "homepage");
    EXPECT_TRUE(out.info.has_skin);
    EXPECT_EQ(out.info.skin, "zq-skin-metalic");
  }
}

// Three pages with two, no and one buttons; the second without "bg".
const char* const three_pages = R"(remote {
  version = int16 300
  layout {
    base = int16 240
    orient = string "wm-portrait"
    page {
      bg = int16 1001
      button {
        x = int16 1
        y = int16 2
        w = int16 3
        h = int16 4
        action {
          id = string "p0a"
        }
      }
      label {
        x = int16 11
        y = int16 13
        w = int16 101
        h = int16 17
        state = int16 2
        title {
          txt = string "Caption"
        }
      }
    }
    page {
      
    }
    page {
      bg = int16 402
      button {
        x = int16 0
        y = int16 0
        w = int16 1
        h = int16 1
        title {
          txt = string "Last"
          dx = int16 3
          dy = int16 -5
        }
        action {
          id = string "p2"
        }
      }
    }
  }
}
)";

TEST(ServiceLoader, PagesBackgroundsAndPageStartsFollowTheChosenLayout) {
  for (bool indexed : {true, false}) {
    const loaded out = load(layout_document(three_pages, indexed), portrait_240);
    ASSERT_EQ(out.result, 0) << indexed;
    EXPECT_EQ(out.pages.page_starts, (std::vector<std::int32_t>{0, 2, 2, 3})) << indexed;
    EXPECT_EQ(out.pages.backgrounds, (std::vector<std::int32_t>{1001, 1000, 402})) << indexed;
    EXPECT_EQ(out.pages.page_count(), 3);
    ASSERT_EQ(out.pages.buttons.size(), 3u);
    EXPECT_EQ(out.pages.buttons[1].title, "Caption");
    EXPECT_EQ(out.pages.buttons[1].state, 2);
    EXPECT_EQ(out.pages.buttons[2].title, "Last");
    EXPECT_FALSE(out.info.has_skin);
    EXPECT_FALSE(out.info.has_name);
  }
}

TEST(ServiceLoader, ALabelStartsWithoutTapsAndAButtonWithThem) {
  const loaded out = load(layout_document(three_pages), portrait_240);
  ASSERT_EQ(out.result, 0);
  EXPECT_TRUE(out.pages.buttons[0].is_interactive());
  EXPECT_FALSE(out.pages.buttons[1].is_interactive());
  EXPECT_NE(out.pages.buttons[1].flags & remote::button::visible, 0u);
  EXPECT_TRUE(out.pages.buttons[1].action.empty());
  EXPECT_TRUE(out.pages.buttons[2].is_interactive());

  remote::button_record label;
  ASSERT_EQ(remote::read_button_fragment(out.pages.buttons[1].fragment, label), 0);
  EXPECT_EQ(label.is_button, 0);
  remote::button_record button;
  ASSERT_EQ(remote::read_button_fragment(out.pages.buttons[0].fragment, button), 0);
  EXPECT_EQ(button.is_button, 1);
}

// One 240-wide portrait layout with a button that uses every attribute.
const char* const full_button = R"(service {
  layout {
    base = int16 240
    orient = string "wm-portrait"
    page {
      button {
        x = int16 11
        y = int16 -3
        w = int16 45
        h = int16 21
        profile = int16 1004
        state = int16 1
        title {
          txt = string "Vol+"
          dx = int16 5
          dy = int16 -3
          font = int16 1
          color = int32 0x26211C
          align = int16 4
          profile = int16 1077
          x = int16 999
          w = int16 999
        }
        icon {
          profile = int16 1006
          dx = int16 9
          dy = int16 7
        }
        action {
          id = string "Vol+"
        }
      }
      button {
        x = int16 60
        y = int16 0
        w = int16 10
        h = int16 10
        dx = int16 33
        icon {
          profile = int16 1001
        }
      }
    }
  }
}
)";

TEST(ServiceLoader, RectanglesAndOffsetsOfA240DocumentAreDoubledOnA480Screen) {
  const loaded out = load(layout_document(full_button), portrait_480);
  ASSERT_EQ(out.result, 0);
  ASSERT_EQ(out.pages.buttons.size(), 2u);
  const remote::button& b = out.pages.buttons[0];
  // "x" and "w" inside the title are still the button's own attributes for the runtime button.
  EXPECT_EQ(b.rect(), (mif::rectangle{1998, -6, 1998, 42}));
  remote::button_record record;
  ASSERT_EQ(remote::read_button_fragment(b.fragment, record), 0);
  EXPECT_EQ(record.title_dx, 10);
  EXPECT_EQ(record.title_dy, -6);
  EXPECT_EQ(record.icon_dx, 18);
  EXPECT_EQ(record.icon_dy, 14);

  const loaded same_base = load(layout_document(full_button), portrait_240);
  ASSERT_EQ(same_base.result, 0);
  EXPECT_EQ(same_base.pages.buttons[1].rect(), (mif::rectangle{60, 0, 10, 10}));
  ASSERT_EQ(remote::read_button_fragment(same_base.pages.buttons[0].fragment, record), 0);
  EXPECT_EQ(record.title_dx, 5);
  EXPECT_EQ(record.icon_dy, 7);
}

TEST(ServiceLoader, AFragmentReadsBackTheWholeButtonAndStopsAtItsEnd) {
  for (bool indexed : {true, false}) {
    const loaded out = load(layout_document(full_button, indexed), portrait_480);
    ASSERT_EQ(out.result, 0);
    const remote::button& b = out.pages.buttons[0];
    EXPECT_EQ(b.title, "Vol+");
    EXPECT_EQ(b.action, "Vol+");
    EXPECT_EQ(b.state, 1);
    EXPECT_EQ(b.fragment.names == nullptr, !indexed);
    EXPECT_EQ(b.fragment.fit.chosen_base, 240);
    EXPECT_EQ(b.fragment.fit.target_base, 480);

    remote::button_record record;
    ASSERT_EQ(remote::read_button_fragment(b.fragment, record), 0) << indexed;
    remote::button_record expected;
    expected.title = "Vol+";
    expected.action = "Vol+";
    expected.profile = 1004;  // the title's "profile" is not the face
    expected.icon_profile = 1006;
    expected.icon_dx = 18;
    expected.icon_dy = 14;
    expected.title_dx = 10;
    expected.title_dy = -6;
    expected.font = 1;
    expected.color = 0x26211C;
    expected.align = 4;
    expected.state = 1;
    EXPECT_EQ(record, expected) << indexed;  // x, y, w, h stay 0: the live rectangle counts

    // The second button: a "dx" of the button itself moves nothing, and nothing of the first
    // button leaks into it; a button without title and icon has only its face.
    ASSERT_EQ(remote::read_button_fragment(out.pages.buttons[1].fragment, record), 0);
    remote::button_record second;
    second.icon_profile = 1001;
    EXPECT_EQ(record, second);
  }
}

TEST(ServiceLoader, AButtonWithoutTitleAndIconKeepsTheDefaults) {
  const std::string text = "service {\n layout {\n  base = int16 240\n  orient = string \"wm-portrait\"\n"
                           "  page {\n   button {\n    x = int16 1\n   }\n  }\n }\n}\n";
  const loaded out = load(layout_document(text), portrait_240);
  ASSERT_EQ(out.result, 0);
  ASSERT_EQ(out.pages.buttons.size(), 1u);
  remote::button_record record;
  ASSERT_EQ(remote::read_button_fragment(out.pages.buttons[0].fragment, record), 0);
  EXPECT_EQ(record, remote::button_record{});
  EXPECT_TRUE(out.pages.buttons[0].title.empty());
}

TEST(ServiceLoader, DamagedDocumentsFailAndLeaveNoPages) {
  // Every cut of a document with inline names fails: it always breaks off inside the root. (On
  // the 480-wide screen the 240-wide layout is not perfect, so reading goes on to the root's end.)
  const std::vector<std::uint8_t> inline_names = layout_document(three_pages, false);
  for (std::size_t keep = 1; keep < inline_names.size(); ++keep) {
    const std::vector<std::uint8_t> cut(inline_names.begin(), inline_names.begin() + static_cast<std::ptrdiff_t>(keep));
    service_pages pages;
    pages.page_starts = {0, 5};
    service_document_info info;
    EXPECT_EQ(remote::load_service_pages(cut, portrait_480, pages, info), -1) << keep;
    EXPECT_TRUE(pages.buttons.empty()) << keep;
    EXPECT_TRUE(pages.page_starts.empty()) << keep;
    EXPECT_TRUE(pages.backgrounds.empty()) << keep;
  }
  const std::vector<std::uint8_t> good = layout_document(three_pages);
  for (std::size_t drop : {1, 10, 40}) {
    const std::vector<std::uint8_t> cut(good.begin(), good.end() - static_cast<std::ptrdiff_t>(drop));
    const loaded out = load(cut, portrait_480);
    EXPECT_EQ(out.result, -1) << drop;
    EXPECT_TRUE(out.pages.buttons.empty()) << drop;
  }
  // A byte that is no element start at the top level.
  std::vector<std::uint8_t> bad = good;
  bad.push_back(0x07);
  EXPECT_EQ(load(bad, portrait_480).result, -1);
  // Nothing at all is a document without pages.
  const loaded empty = load({}, portrait_240);
  EXPECT_EQ(empty.result, 0);
  EXPECT_EQ(empty.pages.page_count(), 0);
}

TEST(ServiceLoader, AFragmentThatIsNotAButtonElementIsNotRead) {
  const loaded out = load(layout_document(three_pages), portrait_240);
  ASSERT_EQ(out.result, 0);
  remote::button_fragment fragment = out.pages.buttons[0].fragment;
  remote::button_record record;
  record.title = "stale";
  EXPECT_EQ(remote::read_button_fragment(remote::button_fragment{}, record), -1);
  EXPECT_EQ(record, remote::button_record{});

  // Cut inside the element.
  fragment.size = 6;
  EXPECT_EQ(remote::read_button_fragment(fragment, record), -1);
  // Not at an element start.
  fragment = out.pages.buttons[0].fragment;
  ++fragment.bytes;
  --fragment.size;
  EXPECT_EQ(remote::read_button_fragment(fragment, record), -1);
}

}  // namespace
