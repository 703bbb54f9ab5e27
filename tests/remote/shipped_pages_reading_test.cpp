// The page documents the skins ship, read as the services read them on every screen class and as
// the editor reads them: both readers must see the same buttons in the layout made for the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layout_document_text.h"
#include "remote/layout_set.h"
#include "remote/screen_fit.h"
#include "remote/service_loader.h"
#include "support/run_tool.h"

namespace {

std::vector<std::uint8_t> shipped_page(const std::string& skin, const std::string& page) {
  return zqtest::layout_document(zqtest::read_text(std::string(ZQ_SOURCE_DIR) + "/data/skins/" + skin + "/pages/" +
                                                   page + ".meta"));
}

TEST(ShippedPagesReading, EveryScreenClassReadsTheLayoutMadeForItAsTheEditorSeesIt) {
  const struct {
    const char* skin;
    const char* page;
  } pages[] = {{"zq-skin-system", "navigation"}, {"zq-skin-system", "empty"}, {"zq-skin-metalic", "empty"}};
  for (const auto& shipped : pages) {
    SCOPED_TRACE(std::string(shipped.skin) + "/" + shipped.page);
    const std::vector<std::uint8_t> document = shipped_page(shipped.skin, shipped.page);
    ASSERT_FALSE(document.empty());
    remote::layout_set set;
    ASSERT_EQ(remote::read_layout_set(document, set), 0);
    EXPECT_EQ(set.skin, shipped.skin);

    for (int screen_class = 0; screen_class <= 6; ++screen_class) {
      SCOPED_TRACE(screen_class);
      remote::service_pages read;
      remote::service_document_info info;
      ASSERT_EQ(remote::load_service_pages(document, screen_class, read, info), 0);
      EXPECT_EQ(info.skin, shipped.skin);
      EXPECT_EQ(info.name, shipped.page);

      remote::layout_set chosen = set;
      remote::choose_current_layout(chosen, screen_class);
      ASSERT_EQ(chosen.layouts.size(), set.layouts.size()) << "the skin has a layout for every screen";
      const remote::layout_entry& layout = chosen.layouts[static_cast<std::size_t>(chosen.current_layout)];
      const remote::screen_fit fit = remote::fit_for_screen_class(screen_class);
      EXPECT_EQ(layout.base, fit.target_base);
      EXPECT_EQ(remote::orientation_of(layout.orientation), fit.target_orientation);

      ASSERT_EQ(read.page_count(), static_cast<std::int32_t>(layout.pages.size()));
      std::size_t index = 0;
      for (std::size_t page = 0; page < layout.pages.size(); ++page) {
        EXPECT_EQ(read.backgrounds[page], layout.pages[page].background);
        EXPECT_EQ(read.page_starts[page], static_cast<std::int32_t>(index));
        for (const remote::button_record& editor : layout.pages[page].buttons) {
          ASSERT_LT(index, read.buttons.size());
          const remote::button& b = read.buttons[index++];
          EXPECT_EQ(b.rect(), (mif::rectangle{editor.x, editor.y, editor.width, editor.height}));
          EXPECT_EQ(b.title, editor.title);
          EXPECT_EQ(b.action, editor.action);
          EXPECT_EQ(b.is_interactive(), editor.is_button != 0);
          remote::button_record drawn;
          ASSERT_EQ(remote::read_button_fragment(b.fragment, drawn), 0);
          drawn.x = editor.x;
          drawn.y = editor.y;
          drawn.width = editor.width;
          drawn.height = editor.height;
          drawn.align = editor.align;  // the editor does not keep the alignment
          EXPECT_EQ(drawn, editor) << editor.action;
        }
      }
      EXPECT_EQ(index, read.buttons.size());
      EXPECT_EQ(read.page_starts.back(), static_cast<std::int32_t>(index));
    }
  }
}

}  // namespace
