// The hard-button assignment table: its "hardbuttons" element written and read back, the built-in
// default records, and what a key press does.
#include <gtest/gtest.h>

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

using outworld::assignment;
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

// Reads doc into table; the result of the parse and the events the room saw.
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

bytes compiled(const std::string& text) {
  bytes doc;
  meta::text_error error;
  EXPECT_EQ(meta::compile(text, {}, doc, error), 0) << error.line << ": " << error.message;
  return doc;
}

TEST(HardButtonTable, WrittenInKeyOrderAndReadBackWholeWithMacrosKeepingTheirDollar) {
  const assignment_table table{
      {"Up", {"@@current", "Ch+"}},
      {"40C1", {"@@action", "Win CE default"}},
      {"Left", {"TV", "$Movie night"}},
      {"Right", {"TV", ""}},
      {"Select", {"@@action", "@page+"}},
      {"Down", {"", "orphan"}},  // no codebase: written as an action
  };
  meta::omemstream out;
  {
    meta::simple::writer writer(out);
    outworld::write_hard_buttons(table, writer);
  }
  std::string text;
  ASSERT_EQ(meta::dump(out.bytes(), text), 0);
  EXPECT_EQ(text,
            "hardbuttons {\n"
            "  button {\n    id = string \"40C1\\0\"\n"
            "    action {\n      command = string \"Win CE default\\0\"\n    }\n  }\n"
            "  button {\n    id = string \"Down\\0\"\n"
            "    action {\n      command = string \"orphan\\0\"\n    }\n  }\n"
            "  button {\n    id = string \"Left\\0\"\n"
            "    ir-reference {\n      remote = string \"TV\\0\"\n      signal = string \"$Movie night\\0\"\n    }\n  }\n"
            "  button {\n    id = string \"Right\\0\"\n"
            "    ir-reference {\n      remote = string \"TV\\0\"\n      signal = string \"\\0\"\n    }\n  }\n"
            "  button {\n    id = string \"Select\\0\"\n"
            "    action {\n      command = string \"@page+\\0\"\n    }\n  }\n"
            "  button {\n    id = string \"Up\\0\"\n"
            "    ir-reference {\n      remote = string \"@@current\\0\"\n      signal = string \"Ch+\\0\"\n    }\n  }\n"
            "}\n");

  assignment_table read{{"40C2", {"Old", "Power"}}};  // replaced, not merged
  const bytes doc(out.bytes().begin(), out.bytes().end());
  EXPECT_EQ(read_into(doc, read), "0 ");
  assignment_table expected = table;
  expected["Down"] = {"@@action", "orphan"};
  EXPECT_EQ(read, expected);
}

TEST(HardButtonTable, ReaderTakesAttributesInDocumentOrderWhateverTheElementsAreCalled) {
  assignment_table table;
  const std::string events = read_into(compiled(R"(
    room {
      signal = string "before the room's buttons"
      hardbuttons {
        signal = string "no key yet"
        x {
          id = string "Up"
          remote = string "TV"
          y {
            signal = string "Ch+"
          }
        }
        hardbuttons {
          id = string "Down"
          command = string "Disable"
        }
        z {
          id = int16 7
          remote = string "keyless"
        }
        w {
          id = string "Up"
          signal = int8 3
          command = string "@device-"
        }
        button {
          id = string "Left"
        }
      }
      remote {
        current = string "TV"
      }
    })"),
                                       table);
  EXPECT_EQ(events, "0 +room @signal=s:before the room's buttons +remote @current=s:TV -remote -room");
  EXPECT_EQ(table, (assignment_table{{"Down", {"@@action", "Disable"}}, {"Up", {"@@action", "@device-"}}}));
}

TEST(HardButtonTable, MalformedDocumentKeepsTheEntriesReadBeforeTheFault) {
  assignment_table table;
  bytes doc = compiled("hardbuttons {\n b {\n id = string \"Up\"\n remote = string \"TV\"\n"
                       "signal = string \"Ch+\"\n }\n }\n");
  doc.pop_back();  // the element never ends
  EXPECT_EQ(read_into(doc, table), "-1 !meta::parse_exception: file is in wrong format");
  EXPECT_EQ(table, (assignment_table{{"Up", {"TV", "Ch+"}}}));
}

TEST(HardButtonTable, ShippedDefaultsSendFromTheCodebaseOnScreen) {
  assignment_table table;
  ASSERT_EQ(outworld::parse_default_assignments(outworld::shipped_default_assignments(), table), 0);
  const auto current = [](const char* signal) { return assignment{"@@current", signal}; };
  EXPECT_EQ(table, (assignment_table{{"Left", current("Vol-")}, {"Right", current("Vol+")}, {"Up", current("Ch+")},
                                     {"Down", current("Ch-")}, {"Select", current("OK")}, {"40C1", current("Mute")},
                                     {"40C2", current("Power")}}));
}

TEST(HardButtonTable, DefaultRecordsEndAtAZeroByteOrTheEndAndRefuseCutRecords) {
  using namespace std::string_literals;
  const struct {
    std::string records;
    zq::result_t result;
    std::size_t entries;
  } cases[] = {
      {""s, 0, 0},
      {"\0A\0b\0c\0\0\0"s, 0, 0},
      {"A\0b\0c\0\0\0"s, 0, 1},
      {"A\0b\0c\0\0\0A\0d\0e\0\0\0\0junk"s, 0, 1},
      {"A\0b\0c\0\0\0B\0d\0e\0\0"s, zq::rc::malformed_document, 1},
      {"A\0b\0c\0\0\1"s, zq::rc::malformed_document, 0},
      {"A\0b\0c"s, zq::rc::malformed_document, 0},
  };
  for (const auto& c : cases) {
    assignment_table table;
    const bytes records(c.records.begin(), c.records.end());  // exact size for the sanitizers
    EXPECT_EQ(outworld::parse_default_assignments(records, table), c.result) << c.records.size();
    EXPECT_EQ(table.size(), c.entries) << c.records.size();
  }
  assignment_table table;
  const std::string later = "A\0b\0c\0\0\0A\0d\0e\0\0\0"s;
  ASSERT_EQ(outworld::parse_default_assignments(bytes(later.begin(), later.end()), table), 0);
  EXPECT_EQ(table.at("A"), (assignment{"d", "e"}));
}

TEST(HardButtonTable, KeyPressBecomesTheAssignedAction) {
  const assignment_table table{
      {"A", {"@@action", "Disable"}},     {"B", {"@@action", "HomeDevices"}}, {"C", {"@@action", "DeviceList"}},
      {"D", {"@@action", "@page-"}},      {"E", {"@@action", "Win CE default"}}, {"F", {"@@action", "WinCE"}},
      {"G", {"@@current", "Mute"}},       {"H", {"@@current", ""}},          {"I", {"TV", "Power"}},
      {"J", {"TV", "$All off"}},          {"K", {"TV", ""}},                 {"L", {"", "Power"}},
  };
  std::string log;
  outworld::hard_key_targets targets;
  targets.main_window_command = [&](std::string_view c) { log += "main:" + std::string(c); };
  targets.action_command = [&](std::string_view c) { log += "action:" + std::string(c); };
  targets.send_current_signal = [&](std::string_view s) { log += "current:" + std::string(s); };
  targets.send_signal = [&](std::string_view cb, std::string_view s) { log += "send:" + std::string(cb) + "/" + std::string(s); };
  targets.run_macro = [&](std::string_view cb, std::string_view m) { log += "macro:" + std::string(cb) + "/" + std::string(m); };
  const struct {
    const char* key;
    outworld::key_outcome_t outcome;
    const char* action;
  } cases[] = {
      {"A", outworld::key_outcome_t::handled, ""},
      {"B", outworld::key_outcome_t::handled, "main:homedevices"},
      {"C", outworld::key_outcome_t::handled, "main:remote"},
      {"D", outworld::key_outcome_t::handled, "action:@page-"},
      {"E", outworld::key_outcome_t::passed_on, ""},
      {"F", outworld::key_outcome_t::passed_on, ""},
      {"G", outworld::key_outcome_t::handled, "current:Mute"},
      {"H", outworld::key_outcome_t::handled, ""},
      {"I", outworld::key_outcome_t::handled, "send:TV/Power"},
      {"J", outworld::key_outcome_t::handled, "macro:TV/All off"},
      {"K", outworld::key_outcome_t::handled, ""},
      {"L", outworld::key_outcome_t::passed_on, ""},
      {"Z", outworld::key_outcome_t::passed_on, ""},
  };
  for (const auto& c : cases) {
    log.clear();
    EXPECT_EQ(outworld::dispatch_hard_key(table, c.key, targets), c.outcome) << c.key;
    EXPECT_EQ(log, c.action) << c.key;
  }
  EXPECT_EQ(outworld::keys_to_capture(table),
            (std::vector<std::string>{"A", "B", "C", "D", "G", "H", "I", "J", "K"}));
}

}  // namespace
