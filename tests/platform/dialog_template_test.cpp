// Dialog templates in their text form: what a template holds, and the faults the reader refuses
// with the line they are on.
#include "platform/dialog_template.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/control_push_button.h"
#include "platform/control_static.h"
#include "platform/module_program.h"
#include "platform/window.h"

namespace {

using namespace platform;

zq::result_t parse(const std::string& text, dialog_template& out, std::size_t& line) {
  return parse_dialog_template({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, out, &line);
}

TEST(DialogTemplate, ReadsTheDialogItsFontAndEachControlWithItsStyle) {
  dialog_template t;
  std::size_t line = 0;
  ASSERT_EQ(parse("# comment\r\n"
                  "dialog 120 90 \"Say \\\"hi\\\"\"\n"
                  "\n"
                  "font \"Tahoma\" 9\n"
                  "control 1021 Static \"Two\\nlines\" 4 2 112 20 right disabled\n"
                  "control 1 Button \"OK\" 10 70 40 14 default group tabstop\n"
                  "control 0 ListBox \"\" 0 0 1 1 hidden 0x0102\n",
                  t, line),
            0);
  EXPECT_EQ(t.extent, (size{120, 90}));
  EXPECT_EQ(t.caption, L"Say \"hi\"");
  EXPECT_EQ(t.font_face, L"Tahoma");
  EXPECT_EQ(t.font_points, 9);
  ASSERT_EQ(t.controls.size(), 3u);
  EXPECT_EQ(t.controls[0].id, 1021u);
  EXPECT_EQ(t.controls[0].class_name, static_class_name);
  EXPECT_EQ(t.controls[0].text, L"Two\nlines");
  EXPECT_EQ(t.controls[0].position, (rect{4, 2, 116, 22}));
  EXPECT_EQ(t.controls[0].style, ws::child | ws::visible | ws::disabled | ss::right);
  EXPECT_EQ(t.controls[1].style,
            ws::child | ws::visible | bs::defpushbutton | dialog_style::group | dialog_style::tabstop);
  EXPECT_EQ(t.controls[2].style, ws::child | 0x0102u);
}

TEST(DialogTemplate, RefusesMalformedAndOversizedTemplatesNamingTheLine) {
  using namespace zq::rc;
  const std::string head = "dialog 100 100 \"D\"\n";
  struct bad_case {
    std::string text;
    zq::result_t code;
    std::size_t line;
  };
  const bad_case cases[] = {
      {"", dialog_template_malformed, 0},                                      // no dialog statement
      {"control 1 Static \"a\" 0 0 1 1\n", dialog_template_malformed, 1},      // control before the dialog
      {head + "dialog 1 1 \"again\"\n", dialog_template_malformed, 2},
      {"dialog 0 100 \"D\"\n", dialog_template_malformed, 1},                  // empty dialog
      {"dialog 1024 100 \"D\"\n", dialog_template_too_large, 1},
      {"dialog 100 100 \"D\n", dialog_template_malformed, 1},                  // unterminated text
      {"dialog 100 100 \"D\\t\"\n", dialog_template_malformed, 1},             // unknown escape
      {"dialog 100 100 \"D\" extra\n", dialog_template_malformed, 1},
      {head + "font \"Tahoma\" 0\n", dialog_template_too_large, 2},
      {head + "font \"Tahoma\" 73\n", dialog_template_too_large, 2},
      {head + "control 1 Static \"a\" 0 0 1 1\nfont \"Tahoma\" 8\n", dialog_template_malformed, 3},
      {head + "control 65536 Static \"a\" 0 0 1 1\n", dialog_template_malformed, 2},
      {head + "control -1 Static \"a\" 0 0 1 1\n", dialog_template_malformed, 2},
      {head + "control 1 Sta/tic \"a\" 0 0 1 1\n", dialog_template_malformed, 2},
      {head + "control 1 " + std::string(65, 'C') + " \"a\" 0 0 1 1\n", dialog_template_too_large, 2},
      {head + "control 1 Static \"a\" 0 0 1\n", dialog_template_malformed, 2},  // a size missing
      {head + "control 1 Static \"a\" 0 0 0 1\n", dialog_template_malformed, 2},
      {head + "control 1 Static \"a\" 0 1024 1 1\n", dialog_template_too_large, 2},
      {head + "control 1 Static \"a\" 0 0 1 1 bold\n", dialog_template_malformed, 2},
      {head + "control 1 Static \"a\" 0 0 1 1 0x10000\n", dialog_template_malformed, 2},  // a window bit
      {head + "control 1 Static \"a\" 0 0 1 1 0x\n", dialog_template_malformed, 2},
      {head + "control 1 Static \"" + std::string(256, 'x') + "\" 0 0 1 1\n", dialog_template_too_large, 2},
      {head + "menu\n", dialog_template_malformed, 2},
  };
  for (const bad_case& c : cases) {
    dialog_template t;
    std::size_t line = 99;
    EXPECT_EQ(parse(c.text, t, line), c.code) << c.text;
    EXPECT_EQ(line, c.line) << c.text;
    EXPECT_TRUE(t.controls.empty());
  }

  std::string many = head;
  for (int i = 0; i < 256; ++i) many += "control 1 Static \"a\" 0 0 1 1\n";
  dialog_template t;
  std::size_t line = 0;
  EXPECT_EQ(parse(many, t, line), dialog_template_too_large);
  EXPECT_EQ(line, 257u);
  EXPECT_EQ(parse(head + std::string(dialog_template_max_bytes, '#'), t, line), dialog_template_too_large);
}

TEST(DialogTemplate, TheSampleTemplatesAreProgramResources) {
  for (const std::uint16_t id : {9101, 9102, 9103}) {
    dialog_template t;
    ASSERT_EQ(load_dialog_template(program_module(), id, t), 0) << id;
    EXPECT_EQ(t.controls.size(), 11u);
  }
  dialog_template t;
  EXPECT_EQ(load_dialog_template(program_module(), 9199, t), zq::rc::resource_not_found);
}

}  // namespace
