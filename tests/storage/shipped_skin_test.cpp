// The metalic skin the build ships: a pattern catalogue offering patterns for every category of
// the shipped IR archive, layouts for every screen shape whose buttons find their signals in the
// archive, and import tables for the six device-type prefixes of 2.x codebases.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/file_system.h"
#include "storage/codebase_2x.h"
#include "storage/ir_archive.h"
#include "storage/meta_reader.h"
#include "storage/pattern_catalogue.h"

namespace {

const std::string metalic_skin = std::string(ZQ_SKIN_FOLDER) + "/zq-skin-metalic.dll";

// The action ids of a layout document's buttons and the orientations of its layouts.
class layout_scan final : public meta::simple::element_handler {
 public:
  std::set<std::string> actions;
  std::set<std::string> orientations;
  bool damaged = false;

  zq::result_t start_element(const meta::name_ref& name) override {
    in_action_ = name.view() == "action";
    return meta::simple::go_on;
  }
  zq::result_t end_element(const meta::name_ref&) override { return meta::simple::go_on; }
  zq::result_t attribute(const meta::name_ref& name, const meta::value& v) override {
    if (in_action_ && name.view() == "id") actions.emplace(v.text_view().substr(0, v.text_view().find('\0')));
    if (name.view() == "orient") orientations.emplace(v.text_view().substr(0, v.text_view().find('\0')));
    return meta::simple::go_on;
  }
  zq::result_t content(const meta::value&) override { return meta::simple::go_on; }
  zq::result_t error(const meta::meta_exception&) override {
    damaged = true;
    return meta::simple::go_on;
  }

 private:
  bool in_action_ = false;
};

layout_scan scan(std::span<const std::uint8_t> layout) {
  layout_scan result;
  auto reader = meta::detail::create_reader();
  reader->set_handler(&result);
  meta::input_buffer input{layout.data(), layout.size(), 0};
  EXPECT_EQ(meta::parse(*reader, input), 0);
  return result;
}

std::string signal_name(std::span<const std::uint8_t> record) {
  const std::size_t at = record.size() >= 2 && record[0] == 0 && record[1] == 2 ? 2 : 0;
  std::string name;
  for (std::size_t i = at; i < record.size() && record[i] != 0; ++i) name.push_back(static_cast<char>(record[i]));
  return name;
}

TEST(ShippedSkin, EveryArchiveCategoryHasPatternsWhoseButtonsFindSignals) {
  xman::ir_archive archive;
  ASSERT_EQ(archive.open_file(platform::device_path(ZQ_IR_ARCHIVE_PATH)), zq::rc::ok);
  xman::pattern_catalogue catalogue;
  ASSERT_EQ(catalogue.load(platform::device_path(metalic_skin)), zq::rc::ok);

  for (std::size_t category = 0; category < archive.categories().size(); ++category) {
    const std::string& name = archive.categories()[category];
    std::set<std::string> signals;  // every signal name of every model of the category
    for (const xman::ir_archive_model& model : archive.all_models()) {
      if (model.category != category) continue;
      for (const auto record : archive.signals_of(model)) signals.insert(signal_name(record));
    }
    const xman::pattern_list patterns = catalogue.patterns(name);
    ASSERT_GE(patterns.ids.size(), 2u) << name;  // its own pattern and the blank one
    EXPECT_EQ(patterns.ids.back(), "BLANK");
    for (std::size_t i = 0; i < patterns.ids.size(); ++i) {
      std::span<const std::uint8_t> layout;
      ASSERT_EQ(catalogue.pattern_layout(i, layout), zq::rc::ok) << patterns.ids[i];
      const layout_scan found = scan(layout);
      EXPECT_EQ(found.orientations, (std::set<std::string>{"wm-portrait", "wm-landscape", "wm-quad"}));
      for (const std::string& action : found.actions) {
        if (action.starts_with("@")) continue;  // page commands, not signals
        // The player pattern offers volume keys to be learned: players rarely send volume
        // themselves, but their users want it on the first page.
        if (patterns.ids[i] == "DVD" && (action == "Vol+" || action == "Vol-")) continue;
        EXPECT_TRUE(signals.contains(action)) << name << " / " << patterns.ids[i] << ": " << action;
      }
      if (patterns.ids[i] != "BLANK") {
        EXPECT_GE(found.actions.size(), 4u) << patterns.ids[i];
      }
    }
  }
  // The branches that start without an archive model are offered every pattern.
  EXPECT_EQ(catalogue.patterns("*").ids.size(), archive.categories().size() + 1);
}

TEST(ShippedSkin, EachDevicePrefixOf2xCodebasesHasAnImportTable) {
  xman::pattern_catalogue catalogue;
  ASSERT_EQ(catalogue.load(platform::device_path(metalic_skin)), zq::rc::ok);
  const xman::pattern_list& all = catalogue.patterns("*");
  for (const char* codebase : {"TV_Den", "cab_Box", "DVD_Player", "VCR_Old", "AUD_Amp", "TIV_Recorder"}) {
    const std::string_view filter = xman::import_filter_of(codebase);
    std::size_t tables = 0;
    for (std::size_t i = 0; i < all.ids.size(); ++i) {
      const xman::import_table table = catalogue.import_table_for(filter, i);
      if (table.empty()) continue;
      ++tables;
      EXPECT_EQ(table.at(std::string(filter) + "POWER"), "Power") << codebase;
      EXPECT_EQ(table.at(std::string(filter) + "NUM7"), "7") << codebase;
    }
    EXPECT_EQ(tables, 1u) << codebase;
  }
}

}  // namespace
