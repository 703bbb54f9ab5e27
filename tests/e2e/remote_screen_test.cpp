// The remote screen as a user meets it: codebases made with zqtool in the program's folder, the
// program run headless by a script, and what it did read from the infrared trace, the transcript
// of its message boxes, the profile it leaves behind and pictures of its screen.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/file_system.h"
#include "platform/module.h"
#include "remote/service_loader.h"
#include "storage/codebase.h"
#include "storage/codebase_catalog.h"
#include "storage/database_catalog.h"
#include "storage/main_profile.h"
#include "storage/settings.h"
#include "support/codebase_image.h"
#include "support/golden_image.h"
#include "support/remote_document.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A short signal with a repeated part: a header sent once, then the repeated frame.
const std::vector<std::string> power_durations = {"9000", "-4500", "560", "-1690", "560", "-40000"};

class RemoteScreen : public ::testing::Test {
 protected:
  RemoteScreen() {
    fs::copy_file(ZEQUON_PATH, program_);
    fs::copy(fs::path(ZQ_SKIN_FOLDER), folder_.path() / "Skins", fs::copy_options::recursive);
    fs::copy_file(fs::path(ZEQUON_PATH).parent_path() / "Orientix.so", folder_.path() / "Orientix.so");
    fs::create_directories(codebases_);
  }

  // Settings of an earlier start: the screen chosen and the IR port set, so the program starts on
  // the remote screen at once.
  void set_up_screen(int orientation, int screen_class) {
    xman::settings settings(platform::device_path(folder_.path() / "Zequon.pref"));
    ASSERT_EQ(settings.set_screen_orientation(orientation), 0);
    ASSERT_EQ(settings.set_screen_class(screen_class), 0);
    ASSERT_EQ(settings.set_ir_port(L"COM3:"), 0);
  }

  // A codebase from the skin's pattern, as a user makes one with zqtool, with the given signals.
  fs::path make_codebase(const std::string& name, const std::string& pattern, const std::vector<std::string>& signals) {
    const zqtest::tool_run made =
        zqtest::run_zqtool({"codebase", "create", codebases_.string(), name, "--pattern", "zq-skin-metalic:" + pattern});
    EXPECT_EQ(made.status, 0) << made.err;
    const fs::path file = made.out.substr(0, made.out.find('\n'));
    for (const std::string& signal : signals) put_signal(file, signal);
    return file;
  }
  void put_signal(const fs::path& file, const std::string& signal) {
    std::vector<std::string> args = {"codebase", "put-signal", file.string(), signal, "--carrier", "26", "--repeat", "2"};
    args.insert(args.end(), power_durations.begin(), power_durations.end());
    const zqtest::tool_run put = zqtest::run_zqtool(args);
    EXPECT_EQ(put.status, 0) << put.err;
  }
  // A codebase written with the storage layer: its own layout document.
  void make_codebase_with_layout(const std::string& name, const std::vector<std::uint8_t>& layout) {
    xman::database_catalog databases;
    databases.set_up(platform::device_path(codebases_), xman::codebase_catalog::filter());
    ASSERT_EQ(xman::codebase_catalog(databases).create(name, layout), 0);
  }
  fs::path file_of(const std::string& name) const {
    xman::database_catalog databases;
    databases.set_up(platform::device_path(codebases_), xman::codebase_catalog::filter());
    const auto path = databases.path_of(name);
    return path ? platform::host_path(*path) : fs::path();
  }
  // The main profile's room: hot buttons and the codebase on screen.
  void set_room(const remote::room_state& wanted) {
    remote::room_state room = wanted;
    ASSERT_EQ(profile().save(room), 0);
  }
  remote::room_state room() const {
    remote::room_state room;
    EXPECT_EQ(profile().load(room, nullptr), 0);
    return room;
  }
  xman::main_profile profile() const {
    return xman::main_profile(platform::device_path(folder_.path() / "zq-main-profile.pdb"));
  }

  zqtest::tool_run run(const std::string& script, const std::vector<std::string>& environment = {}) {
    std::ofstream(folder_.path() / "script.txt") << script;
    std::vector<std::string> env = {"ZEQUON_SCRIPT=" + (folder_.path() / "script.txt").string(),
                                    "ZEQUON_TRANSCRIPT=" + (folder_.path() / "transcript.txt").string(),
                                    "ZEQUON_IR_TRACE=" + (folder_.path() / "ir.txt").string(),
                                    "ZEQUON_NAMESPACE=" + folder_.path().string()};
    env.insert(env.end(), environment.begin(), environment.end());
    return zqtest::run_program(program_.string(), {}, env);
  }
  std::string transcript() const { return zqtest::read_text(folder_.path() / "transcript.txt"); }
  // The "# send" lines of the trace, one per transmission.
  std::vector<std::string> sends() const {
    std::istringstream trace(zqtest::read_text(folder_.path() / "ir.txt"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(trace, line);)
      if (line.starts_with("# send")) lines.push_back(line);
    return lines;
  }
  std::string shot_path(const std::string& name) const { return (folder_.path() / name).string(); }

  zqtest::temp_folder folder_;
  fs::path program_ = folder_.path() / "Zequon";
  fs::path codebases_ = folder_.path() / "Codebases";
};

// Where a button of a page document lies on screen class 0 (top panel at the top, the device
// below it from y 42): "X Y" of its centre for the script.
std::string centre_of(const std::vector<std::uint8_t>& document, std::string_view action, int page, int top) {
  remote::service_pages pages;
  remote::service_document_info info;
  EXPECT_EQ(remote::load_service_pages(document, 0, pages, info), 0);
  if (page >= pages.page_count()) return "0 0";
  for (std::int32_t i = pages.page_starts[static_cast<std::size_t>(page)];
       i < pages.page_starts[static_cast<std::size_t>(page) + 1]; ++i) {
    const remote::button& b = pages.buttons[static_cast<std::size_t>(i)];
    if (b.action == action) {
      return std::to_string(b.rect().x + b.rect().width / 2) + " " +
             std::to_string(top + b.rect().y + b.rect().height / 2);
    }
  }
  ADD_FAILURE() << "no button " << action;
  return "0 0";
}

std::vector<std::uint8_t> layout_of(const fs::path& codebase_file) {
  std::vector<std::uint8_t> image = zqtest::read_bytes(codebase_file);
  xman::database_catalog none;
  xman::codebase codebase(none);
  EXPECT_EQ(codebase.open_image(std::move(image)), 0);
  std::span<const std::uint8_t> layout;
  EXPECT_EQ(codebase.layout(layout), 0);
  return {layout.begin(), layout.end()};
}

std::vector<std::uint8_t> navigation_page() {
  platform::module skin;
  EXPECT_EQ(platform::load_module_file(platform::device_path(std::string(ZQ_SKIN_FOLDER) + "/zq-skin-system.dll"), skin),
            0);
  const platform::module_resource* page = skin.find(platform::resource_name{"Sdat"}, 4096);
  if (page == nullptr) return {};
  return {page->data.begin(), page->data.end()};
}

std::string tap(const std::string& at) { return "tap " + at + "\n"; }

TEST_F(RemoteScreen, TapsSendSignalsHeldTapsRepeatAndMacrosPlayTheirItems) {
  set_up_screen(0, 0);
  const fs::path tv = make_codebase("TV", "TV", {"Power", "Vol+"});
  make_codebase_with_layout(
      "Den", zqtest::compiled(zqtest::portrait_document(
                 {{zqtest::button_text(10, 10, 100, 40, "$Both", "Both", 1001)}}, "zq-skin-metalic")));
  put_signal(file_of("Den"), "Power");
  put_signal(file_of("Den"), "Vol+");
  ASSERT_EQ(zqtest::run_zqtool({"macro", "put", file_of("Den").string(), "Both", "signal", "Power", "repeat", "0",
                                "signal", "Vol+", "repeat", "once"})
                .status,
            0);
  remote::room_state start;
  start.current = "TV";
  set_room(start);

  const std::vector<std::uint8_t> layout = layout_of(tv);
  const std::string power = centre_of(layout, "Power", 0, 42);
  const std::string volume = centre_of(layout, "Vol+", 0, 42);
  // The list of codebases drops down under the device name; Den is the line above TV.
  const std::string list = centre_of(navigation_page(), "remote", 0, 0);
  const std::string both = centre_of(layout_of(file_of("Den")), "$Both", 0, 42);
  // A second apart, so that no tap comes while the one before is still sending.
  const std::string pause = "wait 1000\n";
  const zqtest::tool_run ran = run(tap(power) + pause + "down " + power + "\nwait 2000\nup " + power + "\n" + pause +
                                   tap(volume) + pause + tap(list) + "key Up\nkey Select\n" + tap(both));
  ASSERT_EQ(ran.status, 0) << ran.err;
  const std::vector<std::string> sent = sends();
  ASSERT_EQ(sent.size(), 5u) << zqtest::read_text(folder_.path() / "ir.txt");
  EXPECT_EQ(sent[0], "# send 3 passes");
  // Held for two seconds: after the 100 ms settling and the 56 ms first pass, repeat passes of
  // 42.8 ms for as long as the stylus stayed down.
  const int held = std::stoi(sent[1].substr(7));
  EXPECT_GE(held, 43) << sent[1];
  EXPECT_LE(held, 46) << sent[1];
  EXPECT_EQ(sent[2], "# send 1 pass");
  // The macro's two items.
  EXPECT_EQ(sent[3], "# send 3 passes");
  EXPECT_EQ(sent[4], "# send 1 pass");
  EXPECT_EQ(transcript(), "");
  EXPECT_EQ(room().current, "Den");
}

TEST_F(RemoteScreen, TapsMadeDuringATransmissionAreDiscardedAndTheOthersClick) {
  set_up_screen(0, 0);
  {
    xman::settings settings(platform::device_path(folder_.path() / "Zequon.pref"));
    ASSERT_EQ(settings.load(), 0);
    ASSERT_EQ(settings.set_use_sounds(true), 0);
  }
  const fs::path tv = make_codebase("TV", "TV", {"Power", "Vol+"});
  remote::room_state start;
  start.current = "TV";
  set_room(start);
  const std::vector<std::uint8_t> layout = layout_of(tv);
  // The second tap comes 50 ms after the first, while its signal is still going out; the third
  // comes when all is quiet again.
  const zqtest::tool_run ran = run(tap(centre_of(layout, "Power", 0, 42)) + "wait 50\n" +
                                   tap(centre_of(layout, "Vol+", 0, 42)) + "wait 1000\n" +
                                   tap(centre_of(layout, "Vol+", 0, 42)));
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(sends(), (std::vector<std::string>{"# send 3 passes", "# send 1 pass"}));
  // The key click of each tap that was taken.
  EXPECT_EQ(transcript(), "sound 165\nsound 165\n");
}

TEST_F(RemoteScreen, HardKeysSendWhatTheirAssignmentsSay) {
  set_up_screen(0, 0);
  make_codebase("TV", "TV", {"Power", "Vol+"});
  make_codebase("Amp", "AUD", {"Power"});
  remote::room_state start;
  start.current = "TV";
  start.hard_buttons["40C1"] = {"@@current", "Vol+"};
  start.hard_buttons["40C2"] = {"Amp", "Power"};
  start.hard_buttons["Right"] = {"@@action", "@page+"};
  set_room(start);
  const zqtest::tool_run ran = run("key 40C1\nwait 1000\nkey 40C2\nwait 1000\nkey Right\n");
  ASSERT_EQ(ran.status, 0) << ran.err;
  EXPECT_EQ(sends(), (std::vector<std::string>{"# send 1 pass", "# send 3 passes"}));
  EXPECT_EQ(room().page, 1);
}

TEST_F(RemoteScreen, PageButtonsAndHotButtonsSwitchAndARestartComesBackWhereItWas) {
  set_up_screen(0, 0);
  const fs::path tv = make_codebase("TV", "TV", {"Power", "1"});
  make_codebase("Player", "DVD", {"Play"});
  remote::room_state start;
  start.hot_buttons[0] = {"TV", "TV", 0};
  start.hot_buttons[1] = {"DVD", "Player", 0};
  start.current = "TV";
  set_room(start);
  const std::vector<std::uint8_t> layout = layout_of(tv);
  const std::vector<std::uint8_t> nav = navigation_page();

  // TV's next page, then the second hot button: Player; back on TV by the first: its second page.
  // Then Exit: the menu button brings the menu bar, Exit is the last item of Options.
  const zqtest::tool_run first =
      run(tap(centre_of(layout, "@page+", 0, 42)) + tap(centre_of(nav, "hot:2", 0, 0)) +
          tap(centre_of(nav, "hot:1", 0, 0)) + tap(centre_of(nav, "menu", 0, 0)) +
          "tap 20 310\nkey Up\nkey Select\nshot " + shot_path("after-exit.png") + "\n");
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_FALSE(std::filesystem::exists(shot_path("after-exit.png")));  // Exit ended the program
  remote::room_state left = room();
  EXPECT_EQ(left.current, "TV");
  EXPECT_EQ(left.page, 1);
  EXPECT_EQ(left.hot_buttons[0].last_page, 1);

  // After the restart a tap on the second page's "1" sends it: the page came back.
  const zqtest::tool_run second = run(tap(centre_of(layout, "1", 1, 42)));
  ASSERT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(sends(), std::vector<std::string>{"# send 3 passes"});
}

TEST_F(RemoteScreen, ACodebaseTooNewOrUnreadableIsSaid) {
  set_up_screen(0, 0);
  zqtest::write_bytes(codebases_ / "New.pdb",
                      zqtest::database_image("New", "Rda1", 331, {zqtest::remote_layout_record()}));
  make_codebase_with_layout("Broken", {0x01, 0x7F, 0x00, 0x33});
  remote::room_state start;
  start.hot_buttons[0] = {"New", "New", 0};
  start.current = "Broken";
  set_room(start);
  const zqtest::tool_run ran = run("answer ok\nshot " + shot_path("broken.png") + "\n" +
                                   tap(centre_of(navigation_page(), "hot:1", 0, 0)) + "answer ok\n");
  ASSERT_EQ(ran.status, 0) << ran.err;
  // The unreadable codebase is named above the empty page.
  EXPECT_TRUE(zqtest::matches_golden(zqtest::read_png(shot_path("broken.png")), "remote_screen_unreadable_codebase"));
  EXPECT_EQ(transcript(),
            "msgbox error \"The codebase format is unrecognized. Most probably it is corrupted.\"\nanswer ok\n"
            "msgbox error \"Unknown version of the codebase! You must use the freshest version of the application to "
            "open this codebase.\"\nanswer ok\n");
}

// The remote screen on each screen class: the top panel and the first page of a TV codebase.
TEST_F(RemoteScreen, LooksTheSameOnEveryScreenClass) {
  struct screen {
    const char* device;
    int orientation;
    int screen_class;
    const char* golden;
  };
  const screen screens[] = {{"qvga-portrait", 0, 0, "remote_screen_class0"},
                            {"qvga-landscape", 0, 1, "remote_screen_class1"},
                            {"qvga-square", 0, 2, "remote_screen_class2"},
                            {"vga-portrait", 0, 3, "remote_screen_class3"}};
  make_codebase("TV", "TV", {"Power", "Vol+"});
  remote::room_state start;
  start.hot_buttons[0] = {"TV", "TV", 0};
  start.current = "TV";
  for (const screen& s : screens) {
    SCOPED_TRACE(s.device);
    set_up_screen(s.orientation, s.screen_class);
    set_room(start);
    const std::string device = std::string(ZQ_SOURCE_DIR) + "/data/devices/" + s.device + ".reg";
    const zqtest::tool_run ran = run("shot " + shot_path("screen.png") + "\n", {"ZEQUON_DEVICE=" + device});
    ASSERT_EQ(ran.status, 0) << ran.err;
    EXPECT_TRUE(zqtest::matches_golden(zqtest::read_png(shot_path("screen.png")), s.golden));
  }
}

}  // namespace
