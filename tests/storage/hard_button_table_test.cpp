// The hard-button assignment table: its "hardbuttons" element written and read back, the built-in
// default records, and what a key press does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "storage/assignment_loader.h"
#include "storage/default_assignments.h"
#include "storage/hard_button_writer.h"
#include "storage/hard_key_dispatch.h"
#include "storage/meta_omemstream.h"
#include "storage/meta_reader.h"
#include "storage/meta_text.h"
#include "storage/meta_writer.h"
#include "support/meta_event_log.h"

namespace outworld {
void PrintTo(const assignment& a, std::ostream* os) { *os << '(' << a.codebase << ", " << a.command << ')'; }
}  // namespace outworld

namespace {

using outworld::assignment_table;
using bytes = std::vector<std::uint8_t>;

// The room's part: hands "hardbuttons" to the loader and logs everything else it sees.
struct room_log : zqtest::meta_event_log {
  meta::detail::reader_impl* reader = nullptr;
  assignment_table* table = nullptr;
  zq::result_t start_element(const meta::name_ref& name) override {
    if (name.view() == "hardbuttons") return outworld::assignment_loader::take_over(*reader, this, *table);
    return meta_event_log::start_element(name);
  }
};

// Reads doc into table: the result of the parse and the events the room saw.
std::string read_into(const bytes& doc, assignment_table& table) {
  auto reader = meta::detail::create_reader();
  room_log room;
  room.reader = reader.get();
  room.table = &table;
  reader->set_handler(&room);
  meta::input_buffer input{doc.data(), doc.size()};
  const zq::result_t result = meta::parse(*reader, input);
  EXPECT_EQ(reader->handler(), &room);
  return std::to_string(result) + " " + room.text;
}

// A document from its text form, items separated by ";" instead of line ends.
bytes compiled(std::string text) {
  std::replace(text.begin(), text.end(), ';', '\n');
  bytes doc;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {}, doc, error), 0) << error.line << ": " << error.message;
  return doc;
}

TEST(HardButtonTable, WrittenInKeyOrderAndReadBackWholeWithMacrosKeepingTheirDollar) {
  const assignment_table table{{"Up", {"@@current", "Ch+"}},
                               {"40C1", {"@@action", "Win CE default"}},
                               {"Left", {"TV", "$Movie night"}},
                               {"Down", {"", "orphan"}}};  // no codebase: written as an action
  zqtest::meta_event_log events;
  outworld::write_hard_buttons(table, events);
  EXPECT_EQ(events.text,
            "+hardbuttons +button @id=s:40C1 +action @command=s:Win CE default -action -button"
            " +button @id=s:Down +action @command=s:orphan -action -button"
            " +button @id=s:Left +ir-reference @remote=s:TV @signal=s:$Movie night -ir-reference -button"
            " +button @id=s:Up +ir-reference @remote=s:@@current @signal=s:Ch+ -ir-reference -button -hardbuttons");

  meta::omemstream out;
  {
    meta::simple::writer writer(out);
    outworld::write_hard_buttons(table, writer);
  }
  assignment_table read{{"40C2", {"Old", "Power"}}};  // replaced, not merged
  EXPECT_EQ(read_into(bytes(out.bytes().begin(), out.bytes().end()), read), "0 ");
  assignment_table expected = table;
  expected["Down"] = {"@@action", "orphan"};
  EXPECT_EQ(read, expected);
}

TEST(HardButtonTable, ReaderTakesAttributesInDocumentOrderWhateverTheElementsAreCalled) {
  assignment_table table;
  EXPECT_EQ(read_into(compiled("room {;signal = string \"room's\";hardbuttons {;signal = string \"no key yet\""
                               ";x {;id = string \"Up\";remote = string \"TV\";y {;signal = string \"Ch+\";};}"
                               ";hardbuttons {;id = string \"Down\";command = string \"Disable\";}"
                               ";z {;id = int16 7;remote = string \"keyless\";}"
                               ";w {;id = string \"Up\";signal = int8 3;command = string \"@device-\";}"
                               ";button {;id = string \"Left\";};}"
                               ";remote {;current = string \"TV\";};}"),
                      table),
            "0 +room @signal=s:room's +remote @current=s:TV -remote -room");
  EXPECT_EQ(table, (assignment_table{{"Down", {"@@action", "Disable"}}, {"Up", {"@@action", "@device-"}}}));

  bytes cut = compiled("hardbuttons {;b {;id = string \"Up\";remote = string \"TV\";};}");
  cut.pop_back();  // the element never ends: what was read stays
  EXPECT_EQ(read_into(cut, table), "-1 !meta::parse_exception: file is in wrong format");
  EXPECT_EQ(table, (assignment_table{{"Up", {"TV", ""}}}));
}

TEST(HardButtonTable, DefaultRecordsEndAtAZeroByteOrTheEndAndRefuseCutRecords) {
  assignment_table table;
  ASSERT_EQ(outworld::parse_default_assignments(outworld::shipped_default_assignments(), table), 0);
  const auto current = [](const char* signal) { return outworld::assignment{"@@current", signal}; };
  EXPECT_EQ(table, (assignment_table{{"Left", current("Vol-")}, {"Right", current("Vol+")}, {"Up", current("Ch+")},
                                     {"Down", current("Ch-")}, {"Select", current("OK")}, {"40C1", current("Mute")},
                                     {"40C2", current("Power")}}));
  using namespace std::string_literals;
  const std::pair<std::string, zq::result_t> cases[] = {
      {""s, 0},
      {"\0A\0b\0c\0\0\0"s, 0},
      {"A\0b\0c\0\0\0\0junk"s, 0},
      {"A\0b\0c\0\0\0B\0d\0e\0\0"s, zq::rc::malformed_document},
      {"A\0b\0c\0\0\0B\0d\0e\0\0\1"s, zq::rc::malformed_document},
      {"A\0b\0c\0\0\0B\0d\0e"s, zq::rc::malformed_document},
  };
  for (const auto& [records, result] : cases) {
    table.clear();
    EXPECT_EQ(outworld::parse_default_assignments(bytes(records.begin(), records.end()), table), result);
    EXPECT_EQ(table.size(), records.empty() || records[0] == 0 ? 0u : 1u) << records.size();
  }
}

TEST(HardButtonTable, KeyPressBecomesTheAssignedAction) {
  const assignment_table table{
      {"A", {"@@action", "Disable"}}, {"B", {"@@action", "HomeDevices"}}, {"C", {"@@action", "DeviceList"}},
      {"D", {"@@action", "@page-"}},  {"E", {"@@action", "Win CE default"}}, {"F", {"@@action", "WinCE"}},
      {"G", {"@@current", "Mute"}},   {"H", {"@@current", ""}},          {"I", {"TV", "Power"}},
      {"J", {"TV", "$All off"}},      {"K", {"TV", ""}},                 {"L", {"", "Power"}},
  };
  std::string log;
  const auto note = [&log](const char* what) {
    return [&log, what](auto... texts) { ((log += what) += ... += (" " + std::string(texts))); };
  };
  const outworld::hard_key_targets targets{note("main"), note("action"), note("current"), note("send"),
                                           note("macro")};
  std::string all;
  for (const char* key : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "Z"}) {
    log.clear();
    const bool handled = outworld::dispatch_hard_key(table, key, targets) == outworld::key_outcome_t::handled;
    all += std::string(key) + (handled ? "=" : "~") + log + ";";
  }
  EXPECT_EQ(all, "A=;B=main homedevices;C=main remote;D=action @page-;E~;F~;G=current Mute;H=;I=send TV Power;"
                 "J=macro TV All off;K=;L~;Z~;");
  EXPECT_EQ(outworld::keys_to_capture(table),
            (std::vector<std::string>{"A", "B", "C", "D", "G", "H", "I", "J", "K"}));
}

}  // namespace
