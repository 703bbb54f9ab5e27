// Macro records: writing and reading them, the unsigned 16-bit numbers of stored files, and the
// lines the macro editor lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ir/disassembler.h"
#include "ir/macro_reader.h"
#include "ir/macro_writer.h"
#include "support/codebase_image.h"
#include "support/meta_event_log.h"

namespace {

using redeye::macro_item;
using redeye::macro_item_type_t;
using zqtest::meta_bytes;

macro_item reference(std::string name, std::string base = {}, std::int32_t repeat = -1, std::int32_t time = -1) {
  return {macro_item_type_t::reference, std::move(name), std::move(base), repeat, time};
}
macro_item action(std::string text) { return {macro_item_type_t::action, std::move(text), {}, -1, -1}; }
macro_item delay(std::int32_t ms) { return {macro_item_type_t::delay, {}, {}, -1, ms}; }

meta_bytes& number_attribute(meta_bytes& doc, const char* name, std::uint16_t value) {
  return doc.add({0x03}).str(name).add({0x22, value >> 8, value & 0xFF});
}

TEST(MacroDisassembler, ListsEachItemAsTheMacroEditorDoes) {
  const std::pair<macro_item, std::string> cases[] = {
      {delay(1250), "Pause 1.25 sec"},
      {delay(500), "Pause 0.50 sec"},
      {delay(40000), "Pause 40.00 sec"},
      {reference("Power", "TV", -1, 3000), "Power/TV/3 sec"},
      {reference("Power", "", 0xFFFF), "Power/once"},
      {reference("Power", "", 5), "Power"},
      {reference("Power", "TV", 0xFFFF, 2500), "Power/TV/2 sec"},  // a time wins over "once"
      {reference("$Movie"), "Macro Movie"},
      {reference("$Movie", "DVD"), "Macro Movie/DVD"},
      {action("@remote:DVD:2"), "Launch DVD/page 2"},
      {action("@remote:DVD"), "Launch DVD"},
      {action("@remote:DVD:-1"), "Launch DVD"},
      {action("@foo"), "Unknown action: @foo"},
      {action("@page+"), "Load next page"},
      {action("@page-"), "Load previous page"},
      {action("@device+"), "Launch next codebase"},
      {action("@device-"), "Launch prev codebase"},
      {action("$@page+"), "Unknown action: $@page+"},  // the fixed commands are compared whole
      {action("$@page:3"), "Load page 3"},
      {action("@page:x"), "Unknown action: @page:x"},
      {action("@load-profile:Evening"), "Preferences Evening"},
  };
  for (const auto& [item, line] : cases) EXPECT_EQ(redeye::disassembler::disassemble(item), line);
}

TEST(MacroRecord, WritesTheStoredLayoutAndReadsItBack) {
  const std::vector<macro_item> items{reference("Power", "TV", -1, 40000), reference("Mute", "", 0xFFFF),
                                      reference("$Movie", "DVD"), reference("Play"), delay(1250),
                                      action("@page:2"), action(""), delay(0)};
  std::vector<std::uint8_t> record;
  ASSERT_EQ(redeye::write_macro(items, "$Evening", record), 0);

  meta_bytes doc = meta_bytes{}.open("macro");
  number_attribute(doc, "ver", 320).open("reference").add({0x03}).str("base").str("TV");
  doc.add({0x03}).str("signal").str("Power");
  number_attribute(doc, "duration", 40000).close().open("reference").add({0x03}).str("signal").str("Mute");
  number_attribute(doc, "repeat", 0xFFFF).close();
  doc.open("reference").add({0x03}).str("base").str("DVD").add({0x03}).str("macro").str("$Movie").close();
  doc.open("reference").add({0x03}).str("signal").str("Play").close().open("delay");
  number_attribute(doc, "ms", 1250).close().open("action").add({0x03}).str("id").str("@page:2").close().close();
  EXPECT_EQ(record, zqtest::macro_record("Evening", doc.bytes()));

  std::vector<macro_item> back;
  ASSERT_EQ(redeye::read_macro(record, back), 0);
  EXPECT_EQ(back, std::vector<macro_item>(items.begin(), items.end() - 2));  // no empty action, no 0 ms delay
}

TEST(MacroRecord, ReadsStoredNumbersAsUnsigned16Bit) {
  // As stored by earlier versions: "repeat once" and a 40 s pause are negative 16-bit patterns.
  meta_bytes doc = meta_bytes{}.open("macro").open("reference").add({0x03}).str("signal").str("Power");
  number_attribute(doc, "repeat", 0xFFFF).close().open("delay");
  number_attribute(doc, "ms", 40000).close().open("reference").add({0x03}).str("signal").str("Vol+");
  number_attribute(doc, "duration", 0x8000).close().close();
  std::vector<macro_item> items;
  ASSERT_EQ(redeye::read_macro(zqtest::macro_record("Evening", doc.bytes()), items), 0);
  EXPECT_EQ(items, (std::vector<macro_item>{reference("Power", "", 0xFFFF), delay(40000),
                                            reference("Vol+", "", -1, 0x8000)}));
  EXPECT_EQ(redeye::disassembler::disassemble(items[0]), "Power/once");
}

TEST(MacroRecord, ToleratesOddElementsAndRejectsBrokenRecords) {
  // Unknown elements and attributes are skipped, "signal" wins over "macro", a macro name without
  // "$" gets one, nothing after the end of "macro" is read.
  const meta_bytes odd = meta_bytes{}.open("macro").open("note").open("delay").close().close()
                             .open("reference").add({0x03}).str("macro").str("Movie").add({0x03}).str("x")
                             .add({0x21, 1}).close()
                             .open("reference").add({0x03}).str("macro").str("$M").add({0x03}).str("signal")
                             .str("Ok").close().open("delay").close().close().open("action").close();
  std::vector<macro_item> items;
  ASSERT_EQ(redeye::read_macro(zqtest::macro_record("M", odd.bytes()), items), 0);
  EXPECT_EQ(items, (std::vector<macro_item>{delay(0), reference("$Movie"), reference("Ok"), delay(0)}));

  std::vector<std::uint8_t> truncated = zqtest::macro_record("M", odd.bytes());
  truncated.resize(truncated.size() - 20);
  const std::vector<std::uint8_t> broken[] = {truncated, {0x00, 0x02, 'M', 0}, {0x00, 0x01, 'M'}, {}};
  for (const auto& record : broken) {
    items = {action("kept")};
    EXPECT_EQ(redeye::read_macro(record, items), redeye::macro_unreadable);
    EXPECT_EQ(items, std::vector<macro_item>{action("kept")});
  }
}

TEST(MacroRecord, AnEmptyMacroOrANamelessOneCannotBeWritten) {
  std::vector<std::uint8_t> record{1, 2, 3};
  EXPECT_EQ(redeye::write_macro({}, "Evening", record), -1);
  const macro_item one[] = {delay(10)};
  EXPECT_EQ(redeye::write_macro(one, "$", record), -1);
  EXPECT_EQ(record, (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace
