// A codebase's layout document in memory: reading every layout in design pixels, choosing the
// current layout for the screen, writing the set back (every layout carrying the edited pages) and
// writing one page as a document the services read.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "layout_document_text.h"
#include "remote/layout_set.h"
#include "remote/service_loader.h"
#include "storage/meta_element_handler.h"
#include "storage/meta_reader.h"

namespace {

using remote::button_record;
using remote::layout_entry;
using remote::layout_page;
using remote::layout_set;
using zqtest::layout_document;

const char* const codebase_layouts = R"(remote {
  version = int16 300
  skin = string "zq-skin-metalic"
  layout {
    base = int16 240
    orient = string "wm-portrait"
    page {
      bg = int16 1002
      button {
        x = int16 11
        y = int16 13
        w = int16 45
        h = int16 21
        profile = int16 1004
        state = int16 2
        title {
          txt = string "Power"
          dx = int16 5
          dy = int16 -3
          font = int16 1
          color = int32 0x26211C
          align = int16 1
          profile = int16 1077
          w = int16 999
          x = int16 12
        }
        icon {
          profile = int16 1006
          dx = int16 9
          dy = int16 7
          h = int16 999
        }
        action {
          id = string "Power"
        }
      }
      label {
        x = int16 0
        y = int16 40
        w = int16 240
        h = int16 16
        title {
          txt = string "TV"
        }
      }
    }
    page {}
  }
  layout {
    base = int16 480
    orient = string "wm-landscape"
    page {
      button {
        x = int16 100
        y = int16 200
        w = int16 90
        h = int16 42
      }
    }
  }
}
)";

button_record power_button() {
  button_record b;
  b.x = 12;  // the title's "x" is read like the button's
  b.y = 13;
  b.width = 45;
  b.height = 21;
  b.profile = 1004;
  b.state = 2;
  b.title = "Power";
  b.title_dx = 5;
  b.title_dy = -3;
  b.font = 1;
  b.color = 0x26211C;
  b.icon_profile = 1006;
  b.icon_dx = 9;
  b.icon_dy = 7;
  b.action = "Power";
  return b;
}

TEST(LayoutSet, EveryLayoutIsReadInDesignPixels) {
  for (bool indexed : {true, false}) {
    layout_set set;
    set.current_page = 3;
    ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts, indexed), set), 0);
    EXPECT_TRUE(set.loaded);
    EXPECT_EQ(set.current_page, 0);
    EXPECT_EQ(set.skin, "zq-skin-metalic");
    ASSERT_EQ(set.layouts.size(), 2u);

    const layout_entry& portrait = set.layouts[0];
    EXPECT_EQ(portrait.orientation, "wm-portrait");
    EXPECT_EQ(portrait.base, 240);
    ASSERT_EQ(portrait.pages.size(), 2u);
    EXPECT_EQ(portrait.pages[0].background, 1002);
    EXPECT_EQ(portrait.pages[1], layout_page{});
    ASSERT_EQ(portrait.pages[0].buttons.size(), 2u);
    // Alignment is not kept, the title's "w" and "profile" and the icon's "h" are not the button's.
    EXPECT_EQ(portrait.pages[0].buttons[0], power_button());
    button_record label;
    label.is_button = 0;
    label.y = 40;
    label.width = 240;
    label.height = 16;
    label.title = "TV";
    EXPECT_EQ(portrait.pages[0].buttons[1], label);

    const layout_entry& landscape = set.layouts[1];
    EXPECT_EQ(landscape.orientation, "wm-landscape");
    EXPECT_EQ(landscape.base, 480);
    ASSERT_EQ(landscape.pages.size(), 1u);
    ASSERT_EQ(landscape.pages[0].buttons.size(), 1u);
    EXPECT_EQ(landscape.pages[0].buttons[0].x, 100);
    EXPECT_EQ(landscape.pages[0].buttons[0].height, 42);
  }
}

TEST(LayoutSet, LayoutsWithoutAttributesHaveTheDefaults) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document("remote {\n layout {\n  page {}\n }\n}\n"), set), 0);
  ASSERT_EQ(set.layouts.size(), 1u);
  EXPECT_EQ(set.layouts[0].orientation, "wm-unknown");
  EXPECT_EQ(set.layouts[0].base, -1);
  EXPECT_EQ(set.layouts[0].pages, std::vector<layout_page>{layout_page{}});
  EXPECT_TRUE(set.skin.empty());
}

TEST(LayoutSet, ADamagedDocumentFailsAndLeavesTheSetAsItWas) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts), set), 0);
  const layout_set before = set;
  const std::vector<std::uint8_t> document = layout_document(codebase_layouts, false);
  for (std::size_t keep : {std::size_t{1}, document.size() / 2, document.size() - 1}) {
    const std::vector<std::uint8_t> cut(document.begin(), document.begin() + static_cast<std::ptrdiff_t>(keep));
    EXPECT_EQ(remote::read_layout_set(cut, set), -1) << keep;
    EXPECT_EQ(set.layouts, before.layouts);
    EXPECT_EQ(set.skin, before.skin);
  }
}

TEST(LayoutSet, ChoosingTheCurrentLayoutTakesTheBestAndKeepsAPageThatExists) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts), set), 0);
  set.current_page = 1;
  remote::choose_current_layout(set, 3);  // 480 portrait: the 240 portrait layout, doubled
  EXPECT_EQ(set.current_layout, 0);
  EXPECT_EQ(set.current_page, 1);
  EXPECT_EQ(set.layouts.size(), 2u);

  remote::choose_current_layout(set, 1);  // 240 landscape: the only landscape layout, one page
  EXPECT_EQ(set.current_layout, 1);
  EXPECT_EQ(set.current_page, 0);

  set.current_page = -2;
  remote::choose_current_layout(set, 4);
  EXPECT_EQ(set.current_layout, 1);
  EXPECT_EQ(set.current_page, 0);
}

TEST(LayoutSet, WhenNoLayoutFitsAnEmptyOneForTheScreenIsAppended) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts), set), 0);
  set.current_page = 1;
  remote::choose_current_layout(set, 2);  // square
  ASSERT_EQ(set.layouts.size(), 3u);
  EXPECT_EQ(set.current_layout, 2);
  EXPECT_EQ(set.current_page, 0);
  EXPECT_EQ(set.layouts[2].orientation, "wm-quad");
  EXPECT_EQ(set.layouts[2].base, 240);
  EXPECT_TRUE(set.layouts[2].pages.empty());
  // The appended layout fits from now on: choosing again appends nothing.
  remote::choose_current_layout(set, 2);
  EXPECT_EQ(set.layouts.size(), 3u);
  EXPECT_EQ(set.current_layout, 2);

  layout_set none;
  remote::choose_current_layout(none, 6);
  ASSERT_EQ(none.layouts.size(), 1u);
  EXPECT_EQ(none.layouts[0].orientation, "wm-landscape");
  EXPECT_EQ(none.layouts[0].base, 480);
  EXPECT_EQ(none.current_layout, 0);
}

// The elements of a document with the names of their attributes, in document order.
class attribute_names final : public meta::simple::element_handler {
 public:
  std::vector<std::pair<std::string, std::set<std::string>>> elements;

  zq::result_t start_element(const meta::name_ref& name) override {
    elements.emplace_back(std::string(name.view()), std::set<std::string>{});
    return 0;
  }
  zq::result_t end_element(const meta::name_ref&) override { return 0; }
  zq::result_t attribute(const meta::name_ref& name, const meta::value&) override {
    elements.back().second.insert(std::string(name.view()));
    return 0;
  }
  zq::result_t content(const meta::value&) override { return 0; }
  zq::result_t error(const meta::meta_exception&) override { return 0; }
};

attribute_names scan(const std::vector<std::uint8_t>& document) {
  attribute_names names;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&names);
  meta::input_buffer input{document.data(), document.size(), 0};
  EXPECT_EQ(meta::parse(*reader, input), 0);
  return names;
}

using element_list = std::vector<std::pair<std::string, std::set<std::string>>>;

TEST(LayoutWriter, WritesEveryAttributeThatIsNotAnOmittedDefaultAndNeverTheAlignment) {
  layout_set set;
  layout_entry layout;
  layout.base = 240;
  layout.orientation = "wm-portrait";
  layout_page page;
  page.background = 1000;
  button_record plain;  // all defaults: face only
  plain.is_button = 0;
  button_record full = power_button();
  full.align = 3;
  page.buttons = {plain, full};
  layout.pages = {page};
  set.layouts = {layout};

  std::vector<std::uint8_t> document;
  ASSERT_EQ(remote::write_layout_set(set, document), 0);
  const element_list expected{
      {"remote", {"version"}},  // no skin name set
      {"layout", {"base", "orient"}},
      {"page", {"bg"}},
      {"label", {"x", "y", "w", "h", "profile"}},
      {"icon", {"profile"}},  // the icon profile 1000 is not 0
      {"button", {"x", "y", "w", "h", "profile", "state"}},
      {"title", {"txt", "dx", "dy", "font", "color"}},
      {"icon", {"profile", "dx", "dy"}},
      {"action", {"id"}},
  };
  EXPECT_EQ(scan(document).elements, expected);

  // A title without text and an icon of profile 0 are left out, whatever else they hold.
  set.layouts[0].pages[0].buttons = {plain};
  set.layouts[0].pages[0].buttons[0].title_dx = 4;
  set.layouts[0].pages[0].buttons[0].icon_profile = 0;
  set.layouts[0].pages[0].buttons[0].icon_dx = 4;
  set.skin = "zq-skin-metalic";
  ASSERT_EQ(remote::write_layout_set(set, document), 0);
  const element_list bare{
      {"remote", {"version", "skin"}},
      {"layout", {"base", "orient"}},
      {"page", {"bg"}},
      {"label", {"x", "y", "w", "h", "profile"}},
  };
  EXPECT_EQ(scan(document).elements, bare);
}

TEST(LayoutWriter, WrittenSetsReadBackTheSameAndEveryLayoutCarriesTheCurrentPages) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts), set), 0);
  set.layouts.push_back(layout_entry{"quad", 480, {}});
  set.current_layout = 0;
  set.layouts[0].pages[1].buttons.push_back(button_record{});
  set.layouts[0].pages[1].background = 401;
  const std::vector<layout_page> edited = set.layouts[0].pages;

  std::vector<std::uint8_t> document;
  ASSERT_EQ(remote::write_layout_set(set, document), 0);
  ASSERT_EQ(set.layouts.size(), 3u);
  const std::vector<std::string> orientations{"wm-portrait", "wm-landscape", "quad"};
  for (std::size_t i = 0; i < set.layouts.size(); ++i) {
    EXPECT_EQ(set.layouts[i].orientation, orientations[i]);
    EXPECT_EQ(set.layouts[i].base, 240);
    EXPECT_EQ(set.layouts[i].pages, edited);
  }

  layout_set read;
  ASSERT_EQ(remote::read_layout_set(document, read), 0);
  EXPECT_EQ(read.layouts, set.layouts);
  EXPECT_EQ(read.skin, "zq-skin-metalic");

  // Written again, the read set gives the same bytes.
  std::vector<std::uint8_t> again;
  ASSERT_EQ(remote::write_layout_set(read, again), 0);
  EXPECT_EQ(again, document);
}

TEST(LayoutWriter, OnePageIsADocumentTheServicesRead) {
  layout_set set;
  ASSERT_EQ(remote::read_layout_set(layout_document(codebase_layouts), set), 0);
  set.current_layout = 0;
  set.layouts[0].pages[1].background = 1003;
  set.layouts[0].pages[1].buttons = {power_button()};
  set.current_page = 1;

  std::vector<std::uint8_t> document;
  ASSERT_EQ(remote::write_layout_page(set, document), 0);

  remote::service_pages pages;
  remote::service_document_info info;
  ASSERT_EQ(remote::load_service_pages(document, 3, pages, info), 0);
  EXPECT_EQ(info.skin, "zq-skin-metalic");
  EXPECT_EQ(pages.page_starts, (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(pages.backgrounds, (std::vector<std::int32_t>{1003}));
  ASSERT_EQ(pages.buttons.size(), 1u);
  EXPECT_EQ(pages.buttons[0].rect(), (mif::rectangle{24, 26, 90, 42}));
  EXPECT_EQ(pages.buttons[0].title, "Power");
  EXPECT_EQ(pages.buttons[0].action, "Power");
  EXPECT_EQ(pages.buttons[0].state, 2);
  remote::button_record record;
  ASSERT_EQ(remote::read_button_fragment(pages.buttons[0].fragment, record), 0);
  button_record expected = power_button();
  expected.x = expected.y = expected.width = expected.height = 0;
  expected.title_dx *= 2;
  expected.title_dy *= 2;
  expected.icon_dx *= 2;
  expected.icon_dy *= 2;
  EXPECT_EQ(record, expected);

  // The set itself is not changed by writing one page.
  layout_set read;
  ASSERT_EQ(remote::read_layout_set(document, read), 0);
  ASSERT_EQ(read.layouts.size(), 1u);
  EXPECT_EQ(read.layouts[0].pages, std::vector<layout_page>{set.layouts[0].pages[1]});
  EXPECT_EQ(set.layouts.size(), 2u);
}

}  // namespace
