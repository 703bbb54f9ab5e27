// Pattern lists and import tables read from catalogue documents (written in the text form), the
// catalogue of a real skin library built by zqtool, and 2.x codebases read through import tables.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_system.h"
#include "storage/codebase_2x.h"
#include "storage/meta_text.h"
#include "storage/pattern_catalogue.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using bytes = std::vector<std::uint8_t>;

bytes compile(std::string_view text) {
  bytes document;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {}, document, error), zq::rc::ok) << error.line << ": " << error.message;
  return document;
}

// General entries first, then one element for TV, then one for "*"; an import part between them
// that the pattern reader must pass over, and entries after "content" that it must not reach.
constexpr std::string_view catalogue_text = R"(catalog {
  content {
    pattern {
      name = string "Generic"
      id = string "GEN"
      resid = int16 100
    }
    import {
      pattern {
        name = string "Hidden"
        id = string "X"
        resid = int16 1
      }
    }
    group {
      category = string "TV"
      pattern {
        name = string "Television"
        id = string "TV"
        resid = int16 101
      }
      pattern {
        name = string "Small TV"
        id = string "TV2"
        resid = string "102"
      }
    }
    group {
      category = string "*"
      pattern {
        name = string "Any"
        id = string "ANY"
        resid = int16 103
      }
    }
    pattern {
      name = string "Also general"
      id = string "GEN2"
      resid = int16 104
    }
  }
  pattern {
    name = string "After content"
    id = string "LATE"
    resid = int16 105
  }
  import {
    table {
      filter = string "DVD_"
      category = string "TV"
      map {
        src = string "DVD_PLAY"
        dst = string "Wrong"
      }
    }
    table {
      filter = string "TV_"
      category = string "TV"
      map {
        src = string "TV_POWER"
        dst = string "Power"
      }
      map {
        src = string "TV_VOLUP"
        dst = string "Vol-"
      }
      map {
        src = string "TV_VOLUP"
        dst = string "Vol+"
      }
      map {
        src = string "TV_CH"
        dst = string "Ch+"
      }
    }
    table {
      filter = string "TV_"
      category = string "TV"
      map {
        src = string "TV_MUTE"
        dst = string "Second table"
      }
    }
  }
}
)";

TEST(PatternCatalogue, CategoryElementsReplaceGeneralEntriesAndOthersArePassedOver) {
  const bytes catalogue = compile(catalogue_text);

  const xman::pattern_list tv = xman::read_pattern_list(catalogue, "TV");
  EXPECT_EQ(tv.names, (std::vector<std::string>{"Television", "Small TV", "Also general"}));
  EXPECT_EQ(tv.ids, (std::vector<std::string>{"TV", "TV2", "GEN2"}));
  EXPECT_EQ(tv.resource_ids, (std::vector<std::int32_t>{101, 102, 104}));

  // "*" is a category like any other: only its own element replaces the general entries.
  const xman::pattern_list any = xman::read_pattern_list(catalogue, "*");
  EXPECT_EQ(any.ids, (std::vector<std::string>{"ANY", "GEN2"}));
  // A category without an element of its own keeps every general entry.
  const xman::pattern_list vcr = xman::read_pattern_list(catalogue, "VCR");
  EXPECT_EQ(vcr.ids, (std::vector<std::string>{"GEN", "GEN2"}));
  EXPECT_EQ(xman::read_pattern_list(catalogue, "tv").ids, vcr.ids);  // categories compare exactly

  const bytes cut(catalogue.begin(), catalogue.begin() + 40);
  EXPECT_TRUE(xman::read_pattern_list(cut, "TV").names.empty());
}

TEST(PatternCatalogue, ImportTablesComeFromTheFirstMatchingTable) {
  const bytes catalogue = compile(catalogue_text);
  const xman::import_table tv = xman::read_import_table(catalogue, "TV_", "TV");
  EXPECT_EQ(tv, (xman::import_table{{"TV_POWER", "Power"}, {"TV_VOLUP", "Vol+"}, {"TV_CH", "Ch+"}}));
  EXPECT_TRUE(xman::read_import_table(catalogue, "TV_", "TV2").empty());
  EXPECT_TRUE(xman::read_import_table(catalogue, "", "TV").empty());
}

TEST(PatternCatalogue, ASkinLibraryGivesPatternsLayoutsAndImportTables) {
  const zqtest::temp_folder dir;
  const std::filesystem::path source = dir.path() / "skin";
  std::filesystem::create_directories(source);
  std::ofstream(source / "catalogue.meta") << catalogue_text;
  std::ofstream(source / "layout.meta") << "page {\n  name = string \"TV layout\"\n}\n";
  std::ofstream(source / "manifest.txt") << "CDAT 4096 catalogue.meta\nRDAT 101 layout.meta\n";
  std::ofstream(dir.path() / "bare.txt") << "";
  const std::string dll = (dir.path() / "skin.dll").string();
  ASSERT_EQ(zqtest::run_zqtool({"skin", "build", source.string(), dll}).status, 0);

  xman::pattern_catalogue catalogue;
  ASSERT_EQ(catalogue.load(platform::device_path(dll)), zq::rc::ok);
  ASSERT_EQ(catalogue.patterns("TV").ids.size(), 3u);
  std::span<const std::uint8_t> layout;
  ASSERT_EQ(catalogue.pattern_layout(0, layout), zq::rc::ok);
  EXPECT_EQ(layout.size(), compile("page {\n  name = string \"TV layout\"\n}\n").size());
  EXPECT_EQ(catalogue.pattern_layout(1, layout), zq::rc::resource_not_found);  // 102 is not in the skin
  EXPECT_EQ(catalogue.pattern_layout(3, layout), zq::rc::resource_not_found);
  EXPECT_EQ(catalogue.import_table_for("TV_", 0).at("TV_POWER"), "Power");

  // A skin without a catalogue loads and offers nothing; a missing file fails.
  std::ofstream(source / "manifest.txt") << "RDAT 101 layout.meta\n";
  const std::string bare = (dir.path() / "bare.dll").string();
  ASSERT_EQ(zqtest::run_zqtool({"skin", "build", source.string(), bare}).status, 0);
  ASSERT_EQ(catalogue.load(platform::device_path(bare)), zq::rc::ok);
  EXPECT_TRUE(catalogue.patterns("TV").names.empty());
  EXPECT_NE(catalogue.load(platform::device_path((dir.path() / "none.dll").string())), zq::rc::ok);
}

bytes record(bool marker, std::string_view name, std::size_t padding, const bytes& payload) {
  bytes r;
  if (marker) r.push_back(0x00), r.push_back(0x02);
  for (const char c : name) r.push_back(static_cast<std::uint8_t>(c));
  r.resize(r.size() + 1 + padding, 0);
  for (const std::uint8_t b : payload) r.push_back(b);
  return r;
}

TEST(Codebase2x, SignalsAreRenamedThroughTheImportTableWithEvenPadding) {
  EXPECT_EQ(xman::import_filter_of("tv_Living room"), "TV_");
  EXPECT_EQ(xman::import_filter_of("Aud_Amp"), "AUD_");
  EXPECT_EQ(xman::import_filter_of("TV"), "");
  EXPECT_EQ(xman::import_filter_of("My TV_"), "");

  const zqtest::temp_folder dir;
  xman::database_catalog folder;
  folder.set_up(platform::device_path(dir.path()), xman::codebase_2x_filter());
  const bytes payload = {0xAA, 0xBB, 0xCC};
  const bytes records[] = {
      {0, 0, 0, 0},                              // header
      record(true, "TV_POWER", 1, payload),      // 8 + NUL: padded
      record(false, "TV_CH", 0, payload),        // 5 + NUL: even already
      record(true, "TV_OTHER", 1, payload),      // not in the table
      {'T', 'V', '_', 'X'},                      // no terminator: left alone
      {0x00, 0x02},                              // a marker and nothing else
  };
  std::vector<std::span<const std::uint8_t>> spans(std::begin(records), std::end(records));
  ASSERT_EQ(folder.store("TV_Old", xman::four_cc("ZQem"), xman::four_cc("ZIrC"), 270, spans), zq::rc::ok);
  ASSERT_EQ(folder.store("TV_New", xman::four_cc("ZQem"), xman::four_cc("ZIr1"), 271, spans), zq::rc::ok);
  ASSERT_EQ(folder.names(), (std::vector<std::string>{"TV_New", "TV_Old"}));

  xman::database old;
  ASSERT_EQ(xman::open_codebase_2x(*folder.path_of("TV_Old"), old), zq::rc::ok);
  const xman::import_table table = {{"TV_POWER", "Pwr"}, {"TV_CH", "Ch+"}};
  const std::vector<bytes> signals = xman::read_2x_signals(old, table);
  ASSERT_EQ(signals.size(), 5u);
  EXPECT_EQ(signals[0], record(true, "Pwr", 0, payload));  // 3 + NUL: even, no padding
  EXPECT_EQ(signals[1], record(false, "Ch+", 0, payload));
  EXPECT_EQ(signals[2], records[3]);
  EXPECT_EQ(signals[3], records[4]);
  EXPECT_EQ(signals[4], records[5]);
  EXPECT_EQ(xman::read_2x_signals(old, {{"TV_POWER", "Vol+"}})[0], record(true, "Vol+", 1, payload));

  xman::database newer;
  EXPECT_EQ(xman::open_codebase_2x(*folder.path_of("TV_New"), newer), zq::rc::codebase_too_new);
  EXPECT_FALSE(newer.is_open());
}

}  // namespace
