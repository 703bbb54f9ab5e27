// The look of the list view and the tree view, compared with reference pictures: a two-column
// list with icons, headers, a selected row and its scroll bar over a folder tree with buttons,
// icons and a selected item, at 240 x 320 and doubled at 480 x 640.
#include <gtest/gtest.h>

#include <string>

#include "platform/control_list_view.h"
#include "platform/control_tree_view.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/golden_image.h"
#include "support/message_recorder.h"

namespace {

using namespace platform;

// A 16 x 16 icon: a coloured disc with a dark rim on a transparent ground.
icon disc_icon(std::uint32_t colour) {
  icon image;
  image.width = 16;
  image.height = 16;
  image.has_alpha = true;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      const int d2 = (2 * x - 15) * (2 * x - 15) + (2 * y - 15) * (2 * y - 15);
      std::uint32_t pixel = 0;
      if (d2 <= 14 * 14) pixel = 0xFF000000u | colour;
      if (d2 > 11 * 11 && d2 <= 14 * 14) pixel = 0xFF303030u;
      image.pixels.push_back(pixel);
    }
  }
  return image;
}

pixel_surface draw_views(size screen) {
  zqtest::message_recorder log;
  set_screen_size(screen);
  const int s = screen_scale();
  const hwnd parent = log.create("P", ws::overlapped | ws::visible, {0, 0, screen.cx, screen.cy});
  list_view::register_class();
  tree_view::register_class();

  const hwnd list = create_window(
      {list_view::class_name, L"", ws::child | ws::visible, 0, {0, 0, screen.cx, screen.cy / 2}, parent, 1});
  const int key_icon = list_view::add_icon(list, disc_icon(0x3070D0));
  const int pad_icon = list_view::add_icon(list, disc_icon(0xE0A020));
  const int third = screen.cx / 3;
  list_view::insert_column(list, 0, L"Button", third);
  list_view::insert_column(list, 1, L"Assignment", screen.cx - third - 15 * s);
  const wchar_t* keys[] = {L"Up", L"Down", L"Left", L"Right", L"Select", L"Button 1", L"Button 2", L"Button 3",
                           L"Button 4", L"Record"};
  for (int i = 0; i < 10; ++i) {
    const int row = list_view::insert_item(list, i, keys[i], i < 5 ? pad_icon : key_icon, static_cast<unsigned>(i));
    list_view::set_item_text(list, row, 1, i % 3 == 0 ? L"Win CE default" : L"TV: Vol+");
  }
  list_view::select_item(list, 2);

  const hwnd tree = create_window({tree_view::class_name, L"", ws::child | ws::visible, 0,
                                   {0, screen.cy / 2, screen.cx, screen.cy}, parent, 2});
  const int folder = tree_view::add_icon(tree, disc_icon(0xF0D060));
  const tree_view::item_id top = tree_view::insert_item(tree, tree_view::root, L"\\", folder, 1, true);
  const tree_view::item_id windows = tree_view::insert_item(tree, top, L"Windows", folder, 1, true);
  tree_view::insert_item(tree, top, L"My Documents", folder, 0, true);
  tree_view::insert_item(tree, windows, L"Start Menu", folder, 0, false);
  const tree_view::item_id fonts = tree_view::insert_item(tree, windows, L"Fonts", folder, 0, false);
  tree_view::insert_item(tree, top, L"Storage Card", folder, 0, false);
  tree_view::sort_children(tree, windows);
  tree_view::select_item(tree, fonts);
  log.pump();
  return screen_surface();
}

TEST(ViewsGolden, ListViewAndTreeViewAtBothScreenSizes) {
  EXPECT_TRUE(zqtest::matches_golden(draw_views({240, 320}), "views_list_and_tree"));
  EXPECT_TRUE(zqtest::matches_golden(draw_views({480, 640}), "views_list_and_tree_vga"));
}

}  // namespace
