// The transcript and the infrared trace: the lines a headless run leaves for a test to read.
#include "platform/transcript.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/ir_trace.h"
#include "platform/sound.h"
#include "support/run_tool.h"
#include "support/temp_folder.h"

namespace {

using namespace platform;

TEST(Transcript, OneLinePerMessageBoxAnswerSoundAndOpenWithQuotedText) {
  const zqtest::temp_folder folder;
  ASSERT_EQ(transcript::open(folder.device_path("transcript.txt")), 0);
  transcript::message_box(message_box_icon_t::warning, L"Delete \"TV\"?\nC:\\ stays");
  transcript::answer(message_box_button_t::yes);
  std::vector<std::uint8_t> wave{'R', 'I', 'F', 'F'};
  play_wave(2, wave);  // no player: silent, but still in the transcript
  transcript::shell_open(L"\\Windows\\beam.exe");
  transcript::message_box(message_box_icon_t::stop, L"Gr\u00FC\u00DFe");
  transcript::close();
  transcript::sound(9);  // closed: nothing more is written
  EXPECT_EQ(zqtest::read_text(folder.path() / "transcript.txt"),
            "msgbox warning \"Delete \\\"TV\\\"?\\nC:\\\\ stays\"\n"
            "answer yes\n"
            "sound 2\n"
            "open \\Windows\\beam.exe\n"
            "msgbox stop \"Gr\xC3\xBC\xC3\x9F" "e\"\n");
}

TEST(Transcript, AFailingWriteClosesTheLogInsteadOfLeavingAHole) {
  const zqtest::temp_folder folder;
  ASSERT_EQ(transcript::open(folder.device_path("t.txt")), 0);
  transcript::sound(1);
  file_faults::fail_operation(1);
  transcript::sound(2);
  file_faults::reset();
  transcript::sound(3);
  EXPECT_FALSE(transcript::is_open());
  EXPECT_EQ(zqtest::read_text(folder.path() / "t.txt"), "sound 1\n");
}

TEST(IrTrace, EachTransmissionIsASendLineAndItsPulsesAndSpaces) {
  const zqtest::temp_folder folder;
  ASSERT_EQ(ir_trace::open(folder.device_path("ir.txt")), 0);
  const std::int32_t first[] = {9000, -4500, 560, 0, -2147483647 - 1};
  const std::int32_t second[] = {560};
  ir_trace::transmission(first);
  ir_trace::transmission(second);
  ir_trace::close();
  EXPECT_EQ(zqtest::read_text(folder.path() / "ir.txt"),
            "# send\npulse 9000\nspace 4500\npulse 560\nspace 2147483648\n# send\npulse 560\n");
}

}  // namespace
