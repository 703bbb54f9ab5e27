// The content of the two skin libraries the build ships: image tables whose entries name decodable
// images with clean transparency, face sets whose four states share one size, picker row heights
// that match the images, and page documents (pattern layouts, the top panel, the empty device page)
// with a layout for every screen shape, whose buttons fit their area and whose faces have exactly
// the buttons' sizes (faces are drawn at their natural size, doubled on 480-wide screens).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/image_decoder.h"
#include "platform/module.h"
#include "storage/meta_reader.h"
#include "storage/pattern_catalogue.h"

namespace {

constexpr std::uint16_t background_table = 1000;
constexpr std::uint16_t icon_table = 1001;
constexpr std::uint16_t face_table = 1002;

std::string skin_path(const std::string& skin) { return std::string(ZQ_SKIN_FOLDER) + "/" + skin + ".dll"; }

struct layout_button {
  int x = 0, y = 0, w = 0, h = 0;
  int profile = 1000;
  int icon = 1000;
  int icon_dx = 0, icon_dy = 0;
  int align = 0;
  bool label = false;
  std::string action;
  friend bool operator==(const layout_button&, const layout_button&) = default;
};

void PrintTo(const layout_button& b, std::ostream* out) {
  *out << '"' << b.action << "\" at " << b.x << "," << b.y << " " << b.w << "x" << b.h << " face " << b.profile
       << " icon " << b.icon;
}

struct layout_page {
  int bg = 1000;
  std::vector<layout_button> buttons;
};

struct page_layout {
  int base = -1;
  std::string orient;
  std::vector<layout_page> pages;
};

struct page_document {
  std::string skin;
  std::string name;
  std::vector<page_layout> layouts;
  bool damaged = false;

  const page_layout* find(int base, const std::string& orient) const {
    for (const page_layout& layout : layouts) {
      if (layout.base == base && layout.orient == orient) return &layout;
    }
    return nullptr;
  }
};

// Reads a layout document into layouts, pages and buttons, with the attributes that decide where
// and how a button is drawn.
class document_scan final : public meta::simple::element_handler {
 public:
  page_document document;

  zq::result_t start_element(const meta::name_ref& name) override {
    const std::string_view n = name.view();
    path_.emplace_back(n);
    if (n == "layout") {
      document.layouts.emplace_back();
    } else if (n == "page" && !document.layouts.empty()) {
      document.layouts.back().pages.emplace_back();
    } else if ((n == "button" || n == "label") && page() != nullptr) {
      page()->buttons.emplace_back();
      page()->buttons.back().label = n == "label";
    }
    return meta::simple::go_on;
  }
  zq::result_t end_element(const meta::name_ref&) override {
    if (!path_.empty()) path_.pop_back();
    return meta::simple::go_on;
  }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    const std::string_view n = name.view();
    const std::string_view in = path_.empty() ? std::string_view() : std::string_view(path_.back());
    if (path_.size() == 1) {
      if (n == "skin") document.skin = v.text_view();
      if (n == "name") document.name = v.text_view();
    } else if (in == "layout") {
      if (n == "base") document.layouts.back().base = v.integer;
      if (n == "orient") document.layouts.back().orient = v.text_view();
    } else if (in == "page" && page() != nullptr) {
      if (n == "bg") page()->bg = v.integer;
    } else if (button() != nullptr) {
      layout_button& b = *button();
      if (in == "button" || in == "label") {
        if (n == "x") b.x = v.integer;
        if (n == "y") b.y = v.integer;
        if (n == "w") b.w = v.integer;
        if (n == "h") b.h = v.integer;
        if (n == "profile") b.profile = v.integer;
      } else if (in == "icon") {
        if (n == "profile") b.icon = v.integer;
        if (n == "dx") b.icon_dx = v.integer;
        if (n == "dy") b.icon_dy = v.integer;
      } else if (in == "title" && n == "align") {
        b.align = v.integer;
      } else if (in == "action" && n == "id") {
        b.action = v.text_view();
      }
    }
    return meta::simple::go_on;
  }
  zq::result_t content(const meta::value&) override { return meta::simple::go_on; }
  zq::result_t error(const meta::meta_exception&) override {
    document.damaged = true;
    return meta::simple::go_on;
  }

 private:
  layout_page* page() {
    return document.layouts.empty() || document.layouts.back().pages.empty() ? nullptr
                                                                             : &document.layouts.back().pages.back();
  }
  layout_button* button() { return page() == nullptr || page()->buttons.empty() ? nullptr : &page()->buttons.back(); }

  std::vector<std::string> path_;
};

page_document read_document(std::span<const std::uint8_t> bytes) {
  document_scan scan;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&scan);
  meta::input_buffer input{bytes.data(), bytes.size(), 0};
  if (meta::parse(*reader, input) != 0) scan.document.damaged = true;
  return scan.document;
}

std::vector<std::uint16_t> big_endian_words(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint16_t> words;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    words.push_back(static_cast<std::uint16_t>(bytes[i] << 8 | bytes[i + 1]));
  }
  return words;
}

struct image_size {
  int width = 0;
  int height = 0;
  friend bool operator==(const image_size&, const image_size&) = default;
};

void PrintTo(const image_size& size, std::ostream* out) { *out << size.width << "x" << size.height; }

// A skin library with its three image tables.
class shipped_skin {
 public:
  explicit shipped_skin(const std::string& name) : name_(name) {
    loaded_ = platform::load_module_file(platform::device_path(skin_path(name)), module_) == zq::rc::ok;
    for (const std::uint16_t id : {background_table, icon_table, face_table}) tables_[id] = words("WRDL", id);
  }

  bool loaded() const { return loaded_; }
  const std::string& name() const { return name_; }
  platform::module& module() { return module_; }
  const std::vector<std::uint16_t>& table(std::uint16_t id) const { return tables_.at(id); }

  std::vector<std::uint16_t> words(const char* type, std::uint16_t id) const {
    std::span<const std::uint8_t> bytes;
    if (module_.load(type, id, bytes) != zq::rc::ok) return {};
    return big_endian_words(bytes);
  }

  // The size of an image, or nothing when the id names no decodable image.
  std::optional<image_size> size_of(std::uint16_t image_id) {
    const platform::pixel_surface* image = nullptr;
    if (image_id == 0 || module_.image(image_id, image) != zq::rc::ok) return std::nullopt;
    return image_size{image->width(), image->height()};
  }
  // Profiles above 1000 as the renderer looks them up.
  std::optional<image_size> background(int profile) { return entry(background_table, profile - 1000 + 1); }
  std::optional<image_size> icon(int profile) { return entry(icon_table, profile - 1000 + 1); }
  std::optional<image_size> face(int profile, int state) {
    return entry(face_table, 4 * (profile - 1000) + state + 1);
  }

 private:
  std::optional<image_size> entry(std::uint16_t table, int index) {
    const std::vector<std::uint16_t>& entries = tables_.at(table);
    if (index <= 0 || static_cast<std::size_t>(index) >= entries.size()) return std::nullopt;
    return size_of(entries[static_cast<std::size_t>(index)]);
  }

  std::string name_;
  bool loaded_ = false;
  platform::module module_;
  std::map<std::uint16_t, std::vector<std::uint16_t>> tables_;
};

// A pixel close to the magenta key without being it: what a soft edge blended with the key colour
// leaves behind, a pink fringe once the key is dropped.
bool is_key_fringe(std::uint32_t pixel) {
  if (pixel == platform::transparent_key_pixel) return false;
  const int r = static_cast<int>(pixel >> 16 & 0xFF), g = static_cast<int>(pixel >> 8 & 0xFF),
            b = static_cast<int>(pixel & 0xFF);
  return r >= 0xA0 && b >= 0xA0 && g + 0x60 <= std::min(r, b);
}

class ShippedSkinImages : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedSkinImages, EveryTableEntryNamesADecodableImageWithoutKeyFringes) {
  shipped_skin skin(GetParam());
  ASSERT_TRUE(skin.loaded());
  for (const std::uint16_t id : {background_table, icon_table, face_table}) {
    const std::vector<std::uint16_t>& entries = skin.table(id);
    ASSERT_GE(entries.size(), 3u) << id;
    // The entries before profile 1001's belong to profile 1000, which draws nothing: 0.
    const std::size_t first = id == face_table ? 5 : 2;
    for (std::size_t i = 0; i < first; ++i) EXPECT_EQ(entries[i], 0) << id << " entry " << i;
    for (std::size_t i = first; i < entries.size(); ++i) {
      const platform::pixel_surface* image = nullptr;
      ASSERT_EQ(skin.module().image(entries[i], image), zq::rc::ok) << id << " entry " << i;
      const std::size_t fringes =
          static_cast<std::size_t>(std::count_if(image->pixels().begin(), image->pixels().end(), is_key_fringe));
      EXPECT_EQ(fringes, 0u) << "image " << entries[i];
      // An alpha channel would be cut at half transparency: every pixel must be opaque or the key.
      const platform::module_resource* png = skin.module().find(platform::png_resource_type, entries[i]);
      ASSERT_NE(png, nullptr) << entries[i];
      ASSERT_GT(png->data.size(), 25u);
      EXPECT_EQ(png->data[25] & 4, 0) << "image " << entries[i] << " has an alpha channel";
    }
  }
}

TEST_P(ShippedSkinImages, TheFourStatesOfEveryFaceShareOneSize) {
  shipped_skin skin(GetParam());
  ASSERT_TRUE(skin.loaded());
  const std::size_t entries = skin.table(face_table).size();
  ASSERT_GT(entries, 5u);
  EXPECT_EQ((entries - 5) % 4, 0u);
  for (int profile = 1001; 4 * (profile - 1000) + 4 < static_cast<int>(entries); ++profile) {
    const std::optional<image_size> normal = skin.face(profile, 0);
    ASSERT_TRUE(normal.has_value()) << profile;
    for (int state = 1; state < 4; ++state) EXPECT_EQ(skin.face(profile, state), normal) << profile << "/" << state;
  }
}

TEST_P(ShippedSkinImages, ThePickerRowsAreTheImagesHeights) {
  shipped_skin skin(GetParam());
  ASSERT_TRUE(skin.loaded());
  for (const std::uint16_t id : {background_table, icon_table, face_table}) {
    const std::vector<std::uint16_t> rows = skin.words("HPRF", id);
    ASSERT_FALSE(rows.empty()) << id;
    const std::size_t profiles =
        id == face_table ? (skin.table(id).size() - 5) / 4 : skin.table(id).size() - 2;
    ASSERT_EQ(rows.size(), profiles + 2) << id;  // the count, "no image", one row per profile
    EXPECT_EQ(rows[0], profiles + 1) << id;
    for (std::size_t row = 1; row <= profiles; ++row) {
      const int profile = 1000 + static_cast<int>(row);
      const std::optional<image_size> size = id == face_table       ? skin.face(profile, 0)
                                             : id == icon_table     ? skin.icon(profile)
                                                                    : skin.background(profile);
      ASSERT_TRUE(size.has_value()) << id << " row " << row;
      EXPECT_EQ(rows[row + 1], size->height) << id << " row " << row;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedSkinImages, ::testing::Values("zq-skin-metalic", "zq-skin-system"));

// The five layouts every document carries.
struct screen_shape {
  int base;
  const char* orient;
  int main_width;   // the main area at that base
  int main_height;
  int panel_width;  // the top panel
  int panel_height;
};
constexpr screen_shape shapes[] = {
    {240, "wm-portrait", 240, 278, 240, 42},  {240, "wm-landscape", 320, 198, 320, 42},
    {240, "wm-quad", 240, 198, 240, 42},      {480, "wm-portrait", 480, 556, 480, 84},
    {480, "wm-landscape", 640, 396, 640, 84},
};

bool overlap(const layout_button& a, const layout_button& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Checks a page document against the skin whose images it uses: all five layouts, the same number
// of pages in each, the 480 layouts exactly twice the 240 ones, every button inside the area and
// clear of the others, faces of the buttons' sizes, icons that fit, backgrounds of the area's size.
void check_document(shipped_skin& skin, const page_document& document, bool panel, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_FALSE(document.damaged);
  EXPECT_EQ(document.skin, skin.name());
  ASSERT_EQ(document.layouts.size(), std::size(shapes));
  const std::size_t pages = document.layouts.front().pages.size();
  for (const screen_shape& shape : shapes) {
    SCOPED_TRACE(std::to_string(shape.base) + " " + shape.orient);
    const page_layout* layout = document.find(shape.base, shape.orient);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->pages.size(), pages);
    const int scale = shape.base / 240;
    const int width = panel ? shape.panel_width : shape.main_width;
    const int height = panel ? shape.panel_height : shape.main_height;
    for (const layout_page& page : layout->pages) {
      if (page.bg > 1000) {
        const std::optional<image_size> bg = skin.background(page.bg);
        ASSERT_TRUE(bg.has_value()) << page.bg;
        EXPECT_EQ(bg->width * scale, width);
        EXPECT_EQ(bg->height * scale, height);
      }
      for (std::size_t i = 0; i < page.buttons.size(); ++i) {
        const layout_button& b = page.buttons[i];
        SCOPED_TRACE("button " + b.action);
        EXPECT_GE(b.x, 0);
        EXPECT_GE(b.y, 0);
        EXPECT_GT(b.w, 0);
        EXPECT_GT(b.h, 0);
        EXPECT_LE(b.x + b.w, width);
        EXPECT_LE(b.y + b.h, height);
        for (std::size_t j = i + 1; j < page.buttons.size(); ++j) {
          EXPECT_FALSE(overlap(b, page.buttons[j])) << page.buttons[j].action;
        }
        if (b.profile > 1000) {
          const std::optional<image_size> face = skin.face(b.profile, 0);
          ASSERT_TRUE(face.has_value()) << b.profile;
          EXPECT_EQ(face->width * scale, b.w);
          EXPECT_EQ(face->height * scale, b.h);
        }
        if (b.icon > 1000) {
          const std::optional<image_size> icon = skin.icon(b.icon);
          ASSERT_TRUE(icon.has_value()) << b.icon;
          // Centred in the button moved by the icon's offset: it must stay on the face.
          const int left = b.x + b.icon_dx + (b.w - icon->width * scale) / 2;
          const int top = b.y + b.icon_dy + (b.h - icon->height * scale) / 2;
          EXPECT_GE(left, b.x);
          EXPECT_GE(top, b.y);
          EXPECT_LE(left + icon->width * scale, b.x + b.w);
          EXPECT_LE(top + icon->height * scale, b.y + b.h);
        }
      }
    }
    if (scale == 2) {
      const page_layout* half = document.find(240, shape.orient);
      ASSERT_NE(half, nullptr);
      for (std::size_t p = 0; p < std::min(pages, layout->pages.size()); ++p) {
        std::vector<layout_button> doubled = half->pages[p].buttons;
        for (layout_button& b : doubled) b.x *= 2, b.y *= 2, b.w *= 2, b.h *= 2, b.icon_dx *= 2, b.icon_dy *= 2;
        EXPECT_EQ(layout->pages[p].buttons, doubled) << "page " << p;
        EXPECT_EQ(layout->pages[p].bg, half->pages[p].bg);
      }
    }
  }
}

std::set<std::string> actions_of(const layout_page& page) {
  std::set<std::string> actions;
  for (const layout_button& b : page.buttons) actions.insert(b.action);
  return actions;
}

TEST(ShippedSkinPages, EveryPatternHasFiveLayoutsThatFitTheMainAreaWithFacesOfTheButtonsSizes) {
  shipped_skin skin("zq-skin-metalic");
  ASSERT_TRUE(skin.loaded());
  xman::pattern_catalogue catalogue;
  ASSERT_EQ(catalogue.load(platform::device_path(skin_path("zq-skin-metalic"))), zq::rc::ok);
  const xman::pattern_list all = catalogue.patterns("*");
  ASSERT_EQ(all.ids.size(), 9u);
  for (std::size_t i = 0; i < all.ids.size(); ++i) {
    std::span<const std::uint8_t> bytes;
    ASSERT_EQ(catalogue.pattern_layout(i, bytes), zq::rc::ok) << all.ids[i];
    const page_document document = read_document(bytes);
    check_document(skin, document, false, all.ids[i]);
    for (const page_layout& layout : document.layouts) {
      std::size_t faced = 0;
      for (const layout_page& page : layout.pages) {
        for (const layout_button& b : page.buttons) faced += b.profile > 1000 ? 1 : 0;
        // A pattern of several pages offers the page commands on every page.
        if (layout.pages.size() > 1) {
          EXPECT_TRUE(actions_of(page).contains("@page-")) << all.ids[i];
          EXPECT_TRUE(actions_of(page).contains("@page+")) << all.ids[i];
        }
      }
      if (all.ids[i] != "BLANK") {
        EXPECT_GE(faced, 4u) << all.ids[i];
      }
    }
  }
}

TEST(ShippedSkinPages, TelevisionPlayerAndReceiverPatternsHavePowerAndVolumeOnTheirFirstPage) {
  xman::pattern_catalogue catalogue;
  ASSERT_EQ(catalogue.load(platform::device_path(skin_path("zq-skin-metalic"))), zq::rc::ok);
  const xman::pattern_list all = catalogue.patterns("*");
  std::set<std::string> checked;
  for (std::size_t i = 0; i < all.ids.size(); ++i) {
    if (all.ids[i] != "TV" && all.ids[i] != "DVD" && all.ids[i] != "AUD") continue;
    std::span<const std::uint8_t> bytes;
    ASSERT_EQ(catalogue.pattern_layout(i, bytes), zq::rc::ok);
    const page_document document = read_document(bytes);
    ASSERT_FALSE(document.layouts.empty());
    for (const page_layout& layout : document.layouts) {
      ASSERT_FALSE(layout.pages.empty()) << all.ids[i];
      const std::set<std::string> first = actions_of(layout.pages.front());
      EXPECT_TRUE(first.contains("Power")) << all.ids[i] << " " << layout.orient;
      EXPECT_TRUE(first.contains("Vol+")) << all.ids[i] << " " << layout.orient;
    }
    checked.insert(all.ids[i]);
  }
  EXPECT_EQ(checked, (std::set<std::string>{"TV", "DVD", "AUD"}));
}

page_document service_page(shipped_skin& skin, std::uint16_t id) {
  std::span<const std::uint8_t> bytes;
  EXPECT_EQ(skin.module().load("Sdat", id, bytes), zq::rc::ok) << skin.name() << " Sdat " << id;
  return read_document(bytes);
}

TEST(ShippedSkinPages, TheTopPanelHasEveryNavigationButtonInsideThePanel) {
  shipped_skin skin("zq-skin-system");
  ASSERT_TRUE(skin.loaded());
  const page_document navigation = service_page(skin, 4096);
  EXPECT_EQ(navigation.name, "navigation");
  check_document(skin, navigation, true, "srv:navigation");
  const std::multiset<std::string> expected{"menu",  "remote", "irled", "info",  "minimize", "@page-",
                                            "@page+", "hot:1", "hot:2", "hot:3", "hot:4",    "hot:5"};
  for (const page_layout& layout : navigation.layouts) {
    ASSERT_EQ(layout.pages.size(), 1u) << layout.orient;
    std::multiset<std::string> actions;
    for (const layout_button& b : layout.pages[0].buttons) {
      actions.insert(b.action);
      EXPECT_GT(b.profile, 1000) << b.action;  // every panel button has a face
    }
    EXPECT_EQ(actions, expected) << layout.base << " " << layout.orient;
  }
}

TEST(ShippedSkinPages, BothSkinsHoldTheEmptyDevicePageWithItsThreeTexts) {
  for (const char* name : {"zq-skin-metalic", "zq-skin-system"}) {
    shipped_skin skin(name);
    ASSERT_TRUE(skin.loaded());
    const page_document empty = service_page(skin, 4102);
    EXPECT_EQ(empty.name, "empty");
    check_document(skin, empty, false, std::string(name) + " srv:empty");
    for (const page_layout& layout : empty.layouts) {
      ASSERT_EQ(layout.pages.size(), 1u);
      std::map<std::string, layout_button> labels;
      for (const layout_button& b : layout.pages[0].buttons) {
        EXPECT_TRUE(b.label) << b.action;
        labels[b.action] = b;
      }
      ASSERT_EQ(labels.size(), 3u);
      ASSERT_TRUE(labels.contains("head1") && labels.contains("head2") && labels.contains("instructions"));
      EXPECT_EQ(labels["instructions"].align, 3);  // word-wrapped
      // The instructions get the most room of the three.
      EXPECT_GT(labels["instructions"].h, labels["head1"].h + labels["head2"].h);
    }
  }
}

}  // namespace
